#pragma once
// What a service scenario showed, one "label: value" line per observation, compared
// once with a golden file instead of one expectation per value. Control bytes are
// written escaped so that every observation stays on its own lines.

#include <algorithm>
#include <concepts>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "korvane/core/components/lists.h"
#include "support/golden.h"

namespace korvane::testing {

inline std::string Escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (byte < 0x20 || byte >= 0x7F) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

class Observations {
 public:
  Observations& operator()(const std::string& label, const std::string& value) {
    text += label + ": " + Escaped(value) + "\n";
    return *this;
  }
  Observations& operator()(const std::string& label, const char* value) {
    return (*this)(label, std::string(value));
  }
  Observations& operator()(const std::string& label, bool value) {
    return (*this)(label, value ? "yes" : "no");
  }
  template <std::integral T>
  Observations& operator()(const std::string& label, T value) {
    return (*this)(label, std::to_string(value));
  }
  Observations& operator()(const std::string& label, const std::vector<std::string>& values) {
    text += label + ":" + (values.empty() ? " (none)" : "") + "\n";
    for (const auto& value : values) text += "  " + Escaped(value) + "\n";
    return *this;
  }
  // A check list's entries with their check and, when greyed, that too.
  Observations& operator()(const std::string& label, const CheckList& list) {
    text += label + ":" + (list.Items().empty() ? " (none)" : "") + "\n";
    for (const auto& item : list.Items()) {
      text += std::string("  [") + (item.checked ? "x" : " ") + "] " + Escaped(item.text) +
              (item.enabled ? "" : " (greyed)") + "\n";
    }
    return *this;
  }
  // A transcript's lines since the last look; the transcript is emptied.
  Observations& Take(const std::string& label, std::string& transcript) {
    std::vector<std::string> lines;
    std::istringstream in(transcript);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    transcript.clear();
    return lines.empty() ? *this : (*this)(label, lines);
  }
  // Every entry below a folder in name order: folders end in "/", links show where
  // they lead (never followed), files show their bytes.
  Observations& Tree(const std::string& label, const std::filesystem::path& root) {
    namespace fs = std::filesystem;
    std::vector<std::string> entries;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
      const std::string rel = it->path().lexically_relative(root).generic_string();
      if (it->is_symlink()) {
        entries.push_back(rel + " -> " + fs::read_symlink(it->path()).string());
      } else if (it->is_directory()) {
        entries.push_back(rel + "/");
      } else {
        std::ifstream in(it->path(), std::ios::binary);
        entries.push_back(rel + " = " + std::string(std::istreambuf_iterator<char>(in), {}));
      }
    }
    std::sort(entries.begin(), entries.end());
    return (*this)(label, entries);
  }
  // A heading between the steps of a scenario.
  void Step(const std::string& what) { text += "-- " + what + "\n"; }

  void Compare(const std::string& golden, const Placeholders& marks = {}) const {
    ExpectGolden(golden, text, marks);
  }

  std::string text;
};

}  // namespace korvane::testing
