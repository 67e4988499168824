#pragma once
// Tables of cases kept as text under tests/data: a "run NAME" line opens a row, and each
// line up to the next row is a key and the text behind its first blank, with \r and \n
// written so. Blank lines and lines starting with "#" are left out.

#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/golden.h"

namespace korvane::testing {

struct Row {
  std::string name;
  std::vector<std::pair<std::string, std::string>> lines;
  // The row's keys with their texts, a later line of a key winning.
  std::map<std::string, std::string> Fields() const {
    std::map<std::string, std::string> fields;
    for (const auto& [key, text] : lines) fields[key] = text;
    return fields;
  }
};

inline void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
    text.replace(at, from.size(), to);
}

// The text up to the first separator, and the rest behind it.
inline std::pair<std::string, std::string> Split(const std::string& text,
                                                 const std::string& at = " ") {
  const size_t cut = text.find(at);
  return {text.substr(0, cut), cut == std::string::npos ? "" : text.substr(cut + at.size())};
}

inline std::vector<Row> ReadRows(const std::string& golden) {
  std::istringstream in(ReadGolden(golden));
  std::vector<Row> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    auto [key, rest] = Split(line);
    ReplaceAll(rest, "\\r", "\r");
    ReplaceAll(rest, "\\n", "\n");
    if (key == "run") {
      rows.push_back({rest, {}});
    } else if (!rows.empty()) {
      rows.back().lines.emplace_back(key, rest);
    }
  }
  return rows;
}

}  // namespace korvane::testing
