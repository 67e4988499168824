#include "korvane/core/common/mask.h"

namespace korvane {

namespace {

char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

}  // namespace

bool MatchMask(std::string_view name, std::string_view mask, bool prefixOnly) {
  if (name.size() < mask.size()) return false;
  if (!prefixOnly && name.size() != mask.size()) return false;
  for (size_t i = 0; i < mask.size(); ++i) {
    const char m = mask[i];
    const char c = name[i];
    if (m == '?') continue;
    if (m == '#') {
      if (c < '0' || c > '9') return false;
      continue;
    }
    if (UpperAscii(m) != UpperAscii(c)) return false;
  }
  return true;
}

}  // namespace korvane
