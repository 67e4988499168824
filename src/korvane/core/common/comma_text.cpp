#include "korvane/core/common/comma_text.h"

namespace korvane {

namespace {

bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

bool NeedsQuotes(std::string_view item) {
  for (char c : item) {
    if (IsBlankOrControl(c) || c == '"' || c == ',') return true;
  }
  return false;
}

void AppendQuoted(std::string& out, std::string_view item) {
  out += '"';
  for (char c : item) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace

std::string ToCommaText(const std::vector<std::string>& items) {
  if (items.size() == 1 && items[0].empty()) return "\"\"";
  std::string out;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += ',';
    if (NeedsQuotes(items[i])) {
      AppendQuoted(out, items[i]);
    } else {
      out += items[i];
    }
  }
  return out;
}

std::vector<std::string> FromCommaText(std::string_view text) {
  std::vector<std::string> items;
  const size_t n = text.size();
  size_t p = 0;
  auto skipBlanks = [&] {
    while (p < n && IsBlankOrControl(text[p])) ++p;
  };

  skipBlanks();
  while (p < n) {
    std::string item;
    if (text[p] == '"') {
      ++p;
      while (p < n) {
        if (text[p] == '"') {
          if (p + 1 < n && text[p + 1] == '"') {
            item += '"';
            p += 2;
            continue;
          }
          ++p;  // closing quote
          break;
        }
        item += text[p++];
      }
    } else {
      const size_t begin = p;
      while (p < n && !IsBlankOrControl(text[p]) && text[p] != ',') ++p;
      item.assign(text.substr(begin, p - begin));
    }
    items.push_back(std::move(item));

    skipBlanks();
    if (p < n && text[p] == ',') {
      // A comma that ends the text still separates: the empty item after it is kept,
      // otherwise a list ending in an empty item would lose it on the way back.
      if (p + 1 == n) items.emplace_back();
      ++p;
      skipBlanks();
    }
  }
  return items;
}

}  // namespace korvane
