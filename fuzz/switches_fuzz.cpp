// Command-line switch parsing on arbitrary arguments and switch specs: no
// crash, a value only when one was found, and the value taken from the arguments.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "korvane/core/common/command_line.h"
#include "korvane/core/common/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string spec = in.ConsumeRandomLengthString(24);
  const bool def = in.ConsumeBool();
  std::vector<std::string> args = korvane::SplitLines(in.ConsumeRemainingBytesAsString());
  const korvane::CommandLine line(args);

  const bool has = line.HasSwitch(spec, def);
  if (args.empty() && has != def) std::abort();

  std::string value = "not emptied";
  if (line.SwitchValue(spec, value)) {
    // The value is an argument or the part of one after its first "=".
    const bool fromArgs = std::any_of(args.begin(), args.end(), [&](const std::string& a) {
      const size_t eq = a.find('=');
      return a == value || (eq != std::string::npos && a.substr(eq + 1) == value);
    });
    if (!fromArgs) std::abort();
  } else if (!value.empty()) {
    std::abort();
  }
  return 0;
}
