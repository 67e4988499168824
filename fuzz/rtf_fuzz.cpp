// Any bytes read as rich text must not crash the reader, must give runs that lie inside
// their lines, and what was read must come back the same after writing it again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "korvane/core/viewer/rtf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto read = korvane::ReadRtf(bytes);
  if (!read) return 0;
  for (const auto& run : read->runs) {
    if (run.line >= read->lines.size()) std::abort();
    if (run.column + run.length > read->lines[run.line].size()) std::abort();
  }
  const auto again = korvane::ReadRtf(korvane::WriteRtf(*read, korvane::RtfFont{}));
  if (!again || again->lines != read->lines || again->runs != read->runs) std::abort();
  return 0;
}
