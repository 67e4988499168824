#include "korvane/core/common/text.h"

#include <charconv>

namespace korvane {

namespace {

// Bytes are compared unsigned: 8-bit text must never count as "below blank".
bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

char FoldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool IsWordSeparator(char c) {
  return c == ' ' || c == ',' || c == '-' || c == '.' || c == '_';
}

}  // namespace

char ToUpperChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 0x20);
  return c;
}

char ToLowerChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 0x20);
  return c;
}

std::string ToUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToUpperChar(c);
  return out;
}

std::string ToLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToLowerChar(c);
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (ToLowerChar(a[i]) != ToLowerChar(b[i])) return false;
  }
  return true;
}

std::string TrimLeft(std::string_view text) {
  size_t begin = 0;
  while (begin < text.size() && IsBlankOrControl(text[begin])) ++begin;
  return std::string(text.substr(begin));
}

std::string TrimRight(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && IsBlankOrControl(text[end - 1])) --end;
  return std::string(text.substr(0, end));
}

std::string Trim(std::string_view text) {
  return TrimLeft(TrimRight(text));
}

std::string ProperCase(std::string_view text) {
  // Names reach here in the locale's encoding (UTF-8 on Linux): only ASCII
  // letters are cased, any other byte may be part of a longer character.
  std::string out;
  out.reserve(text.size());
  bool wordStart = true;
  for (char c : text) {
    if (IsWordSeparator(c)) {
      out += c;
      wordStart = true;
    } else {
      const bool ascii = static_cast<unsigned char>(c) < 0x80;
      out += !ascii ? c : wordStart ? ToUpperChar(c) : ToLowerChar(c);
      wordStart = false;
    }
  }
  return out;
}

std::string BeforeFirst(std::string_view text, std::string_view sep) {
  if (sep.empty()) return std::string(text);
  const size_t at = text.find(sep);
  return std::string(at == std::string_view::npos ? text : text.substr(0, at));
}

std::string BeforeLast(std::string_view text, std::string_view sep) {
  if (sep.empty()) return std::string(text);
  const size_t at = text.rfind(sep);
  return std::string(at == std::string_view::npos ? text : text.substr(0, at));
}

std::string AfterFirst(std::string_view text, std::string_view sep) {
  if (sep.empty()) return {};
  const size_t at = text.find(sep);
  return at == std::string_view::npos ? std::string() : std::string(text.substr(at + sep.size()));
}

std::string AfterLast(std::string_view text, std::string_view sep) {
  if (sep.empty()) return {};
  const size_t at = text.rfind(sep);
  return at == std::string_view::npos ? std::string() : std::string(text.substr(at + sep.size()));
}

bool StartsWithCase(std::string_view prefix, std::string_view text) {
  return prefix.size() <= text.size() && text.substr(0, prefix.size()) == prefix;
}

bool StartsWithText(std::string_view prefix, std::string_view text) {
  return prefix.size() <= text.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

int PosFrom(std::string_view sub, std::string_view text, int start, bool caseSensitive) {
  if (text.empty() || sub.empty()) return 0;
  if (start < 1) start = 1;
  if (text.size() < static_cast<size_t>(start) || text.size() < sub.size()) return 0;
  const size_t last = text.size() - sub.size();
  for (size_t i = static_cast<size_t>(start) - 1; i <= last; ++i) {
    bool equal = true;
    for (size_t k = 0; k < sub.size() && equal; ++k) {
      equal = caseSensitive ? text[i + k] == sub[k] : FoldAscii(text[i + k]) == FoldAscii(sub[k]);
    }
    if (equal) return static_cast<int>(i + 1);
  }
  return 0;
}

std::string LeftPart(std::string_view text, int n) {
  if (n <= 0) return {};
  return std::string(text.substr(0, static_cast<size_t>(n)));
}

std::string RightPart(std::string_view text, int n) {
  if (n <= 0) return {};
  if (static_cast<size_t>(n) >= text.size()) return std::string(text);
  return std::string(text.substr(text.size() - static_cast<size_t>(n)));
}

std::string Slice(std::string_view text, int from, int to) {
  // Computed in long long so that extreme indexes cannot overflow.
  const long long length = static_cast<long long>(text.size());
  long long first = from < 0 ? length + 1 + from : from;
  long long last = to < 0 ? length + 1 + to : to;
  if (last < 1 || first > length || last < first) return {};
  if (last > length) last = length;
  if (first < 1) first = 1;
  return std::string(
      text.substr(static_cast<size_t>(first - 1), static_cast<size_t>(last - first + 1)));
}

int CountLeadingSpaces(std::string_view text) {
  int count = 0;
  while (static_cast<size_t>(count) < text.size() && text[static_cast<size_t>(count)] == ' ') {
    ++count;
  }
  return count;
}

std::string CollapseRepeats(std::string_view text, char ch) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == ch && !out.empty() && out.back() == ch) continue;
    out += c;
  }
  return out;
}

bool StrToBoolStrict(std::string_view text) {
  const std::string lower = ToLower(text);
  if (lower == "false" || lower == "n" || lower.empty()) return false;
  if (lower == "true" || lower == "i" || lower == "j" || lower == "y") return true;
  throw ConversionError(std::string(text) + " is not valid boolean value (Y,J,I,N,True,False)");
}

bool StrToBoolDefault(std::string_view text, bool def) {
  return text.empty() ? def : StrToBoolStrict(text);
}

std::string BoolToYN(bool flag) {
  return flag ? "Y" : "N";
}

std::string BoolToChar(bool flag, std::string_view yes, std::string_view no) {
  return std::string(flag ? yes : no);
}

long long ZeroPrefixedInt(std::string_view text) {
  const std::string prefixed = "0" + std::string(text);
  long long value = 0;
  const char* begin = prefixed.data();
  const char* end = begin + prefixed.size();
  // from_chars alone would accept a leading "-" and stop at the first non-digit;
  // every byte must be a digit here.
  for (const char* p = begin; p != end; ++p) {
    if (*p < '0' || *p > '9') {
      throw ConversionError("'" + prefixed + "' is not a valid integer value");
    }
  }
  const auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || ptr != end) {
    throw ConversionError("'" + prefixed + "' is not a valid integer value");
  }
  return value;
}

std::string ToDecimal(long long value) {
  return std::to_string(value);
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t begin = 0;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text.substr(begin, i - begin));
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++i;
      begin = i;
    } else {
      ++i;
    }
  }
  if (begin < text.size()) lines.emplace_back(text.substr(begin));
  return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
  size_t total = 0;
  for (const auto& line : lines) total += line.size() + 2;
  std::string out;
  out.reserve(total);
  for (const auto& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

}  // namespace korvane
