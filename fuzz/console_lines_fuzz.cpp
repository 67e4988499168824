// Feeds console output cut into arbitrary chunks and checks that no line holds a
// line break and that the lines are those of the whole output, however it was cut.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "korvane/core/common/text.h"
#include "korvane/core/run/console_lines.h"

namespace {
void Check(bool ok) {
  if (!ok) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  std::vector<std::size_t> cuts;
  for (int i = input.ConsumeIntegralInRange(0, 16); i > 0; --i) {
    cuts.push_back(input.ConsumeIntegralInRange<std::size_t>(0, 64));
  }
  const std::string stream = input.ConsumeRemainingBytesAsString();

  korvane::ConsoleLineSplitter splitter;
  std::vector<std::string> lines;
  std::size_t at = 0;
  for (std::size_t i = 0; at < stream.size(); ++i) {
    std::size_t length = i < cuts.size() ? cuts[i] : stream.size();
    length = std::min(length, stream.size() - at);
    splitter.Feed(std::string_view(stream).substr(at, length), lines);
    at += length;
  }
  for (const std::string& line : lines) Check(line.find_first_of("\r\n") == std::string::npos);
  const std::string pending = splitter.TakePending();
  Check(pending.find_first_of("\r\n") == std::string::npos);
  if (!pending.empty()) lines.push_back(pending);
  Check(lines == korvane::SplitLines(stream));
  return 0;
}
