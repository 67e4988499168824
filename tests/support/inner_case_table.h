#pragma once
// Case tables kept as text files under tests/data, one case a line: its inputs,
// " => ", and the results expected, fields separated by " | ". A line that is
// empty or starts with "#" is a note. Fields are written with the escapes \\ \t
// \r \n \0 \xNN, \| for a bar, \s for a blank and \e for an empty field; a line
// ending in " =>" expects no results at all. ExpectCaseTable runs every case and
// compares the table, its results rewritten from what the code gave, with the
// file as a golden (KORVANE_UPDATE_GOLDEN=1 rewrites the results). Placeholders
// stand in for varying paths in the results, as in golden.h.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "support/golden.h"

namespace korvane::testing {

using Fields = std::vector<std::string>;

inline std::string DecodeField(const std::string& text) {
  static const std::string kFrom = "trn0\\|se", kTo{'\t', '\r', '\n', '\0', '\\', '|', ' '};
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
    } else if (text[i + 1] == 'x') {
      out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else {
      const size_t at = kFrom.find(text[++i]);
      if (at == std::string::npos) ADD_FAILURE() << "unknown escape in " << text;
      if (at < kTo.size()) out += kTo[at];
    }
  }
  return out;
}

inline std::string EncodeField(const std::string& field) {
  if (field.empty()) return "\\e";
  std::string out;
  for (size_t i = 0; i < field.size(); ++i) {
    const auto c = static_cast<unsigned char>(field[i]);
    const bool edge = i == 0 || i + 1 == field.size();
    const char* named = c == '\t'          ? "\\t"
                        : c == '\r'        ? "\\r"
                        : c == '\n'        ? "\\n"
                        : c == 0           ? "\\0"
                        : c == '\\'        ? "\\\\"
                        : c == '|'         ? "\\|"
                        : c == ' ' && edge ? "\\s"
                                           : nullptr;
    char hex[5];
    std::snprintf(hex, sizeof hex, "\\x%02X", c);
    out += named != nullptr ? named : c < 0x20 || c >= 0x7F ? hex : std::string(1, field[i]);
  }
  return out;
}

// Splits at " | " outside escapes.
inline Fields SplitFields(const std::string& text) {
  Fields fields(1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 3, " | ") == 0) {
      fields.emplace_back();
      i += 2;
    } else {
      fields.back() += text[i];
      if (text[i] == '\\' && i + 1 < text.size()) fields.back() += text[++i];
    }
  }
  for (auto& field : fields) field = DecodeField(field);
  return fields;
}

inline void ExpectCaseTable(const std::string& name,
                            const std::function<Fields(const Fields& inputs)>& results,
                            const Placeholders& marks = {}) {
  std::istringstream in(ReadGolden(name));
  std::string table;
  for (std::string line; std::getline(in, line); table += line + "\n") {
    if (line.empty() || line[0] == '#') continue;
    const size_t arrow = line.find(" =>");
    if (arrow == std::string::npos) {
      ADD_FAILURE() << name << ": no \" =>\" in " << line;
      continue;
    }
    const std::string inputs = line.substr(0, arrow);
    SCOPED_TRACE(name + ": " + inputs);
    line = inputs + " =>";
    const char* separator = " ";
    for (const std::string& field : results(SplitFields(inputs))) {
      line += separator + EncodeField(WithPlaceholders(field, marks));
      separator = " | ";
    }
  }
  ExpectGolden(name, table);
}

}  // namespace korvane::testing
