// Any text read as a comma list must come back unchanged after writing and reading it
// again, and writing must be stable.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "korvane/core/common/comma_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto items = korvane::FromCommaText(text);
  const std::string written = korvane::ToCommaText(items);
  const auto reread = korvane::FromCommaText(written);
  if (reread != items) std::abort();
  if (korvane::ToCommaText(reread) != written) std::abort();
  return 0;
}
