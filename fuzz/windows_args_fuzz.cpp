// Splits arbitrary command lines and checks that every argument after the program
// name survives being quoted and split again, and that taking off a redirection
// never invents arguments.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windows_args.h"

namespace {
void Check(bool ok) {
  if (!ok) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> args = platform::SplitWindowsCommandLine(line);
  if (args.size() > 1) {
    std::string again = "p";
    for (std::size_t i = 1; i < args.size(); ++i) {
      again += ' ';
      again += platform::QuoteWindowsArgument(args[i]);
    }
    const std::vector<std::string> back = platform::SplitWindowsCommandLine(again);
    Check(back.size() == args.size());
    for (std::size_t i = 1; i < args.size(); ++i) Check(back[i] == args[i]);
  }
  const platform::ParsedCommand parsed = platform::ParseCommandLine(line);
  Check(parsed.argv.size() <= args.size());
  Check(parsed.argv.size() + 2 >= args.size());
  if (parsed.redirectTo.empty()) Check(parsed.argv == args);
  return 0;
}
