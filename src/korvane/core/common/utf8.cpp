// UTF-8 validation with a fast path for the ASCII that makes up most tool output.
#include "korvane/core/common/utf8.h"

#include <cstdint>
#include <cstring>

namespace korvane {

namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// The length of the ASCII stretch at the start of bytes.
size_t AsciiPrefix(std::string_view bytes) {
  size_t i = 0;
  while (i + 8 <= bytes.size()) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes.data() + i, 8);
    if ((word & kHighBits) != 0) break;
    i += 8;
  }
  while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80) ++i;
  return i;
}

bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// The length of the well-formed sequence starting at bytes[i] (a byte >= 0x80), 0 when
// it is not one.
size_t SequenceLength(std::string_view bytes, size_t i) {
  const auto at = [&](size_t k) { return static_cast<unsigned char>(bytes[i + k]); };
  const unsigned char lead = at(0);
  const size_t left = bytes.size() - i;
  if (lead >= 0xC2 && lead <= 0xDF) return left >= 2 && IsContinuation(at(1)) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (left < 3 || !IsContinuation(at(1)) || !IsContinuation(at(2))) return 0;
    if (lead == 0xE0 && at(1) < 0xA0) return 0;   // overlong
    if (lead == 0xED && at(1) >= 0xA0) return 0;  // surrogate
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (left < 4 || !IsContinuation(at(1)) || !IsContinuation(at(2)) || !IsContinuation(at(3)))
      return 0;
    if (lead == 0xF0 && at(1) < 0x90) return 0;   // overlong
    if (lead == 0xF4 && at(1) >= 0x90) return 0;  // above U+10FFFF
    return 4;
  }
  return 0;  // a stray continuation, C0/C1 (overlong) or F5..FF
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    i += AsciiPrefix(bytes.substr(i));
    if (i == bytes.size()) break;
    const size_t length = SequenceLength(bytes, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

bool IsUtf8BeyondAscii(std::string_view bytes) {
  const size_t ascii = AsciiPrefix(bytes);
  return ascii < bytes.size() && IsValidUtf8(bytes.substr(ascii));
}

}  // namespace korvane
