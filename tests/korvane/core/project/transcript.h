#pragma once
// A dialogue scenario as text, compared once with a golden file: every question with its
// kind, buttons and the answer given, every status message, and the test's own notes of
// what it looked at between steps. A temporary folder is written as {tmp}, line breaks
// inside a text as \r and \n, so that each entry is one line.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "korvane/core/common/status_bar.h"
#include "support/golden.h"
#include "support/scripted_person.h"

namespace korvane::testing {

// A text with the temporary folder written as {tmp}.
inline std::string WithTmp(std::string text, const std::string& tmp) {
  for (size_t at; !tmp.empty() && (at = text.find(tmp)) != std::string::npos;) {
    text.replace(at, tmp.size(), "{tmp}");
  }
#ifdef _WIN32
  // The separator right after the temporary folder reads as on the other systems, so
  // one golden file serves both.
  for (size_t at = 0; (at = text.find("{tmp}\\", at)) != std::string::npos; at += 6) {
    text[at + 5] = '/';
  }
#endif
  return text;
}

// A text as one line: the temporary folder as {tmp}, CR and LF as \r and \n.
inline std::string OneLine(std::string line, const std::string& tmp = {}) {
  line = WithTmp(std::move(line), tmp);
  for (const auto& [from, to] : {std::pair<const char*, const char*>{"\r", "\\r"}, {"\n", "\\n"}}) {
    for (size_t at = 0; (at = line.find(from, at)) != std::string::npos; at += 2) {
      line.replace(at, 1, to);
    }
  }
  return line;
}

// Every entry below root, sorted, one line each: a file with its bytes, a link with its
// target, a folder by its name and a slash; the base folder's lock only by its name.
inline std::string FolderText(const std::filesystem::path& root, const std::string& tmp = {}) {
  namespace fs = std::filesystem;
  std::set<std::string> lines;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
       ++it) {
    const std::string name = it->path().lexically_relative(root).generic_string();
    if (it->is_symlink()) {
      lines.insert(name + " -> " + OneLine(fs::read_symlink(it->path()).string(), tmp));
    } else if (it->path().filename() == ".korvane.lock") {
      lines.insert(name + " (the lock: who holds the folder now)");
    } else if (it->is_directory()) {
      lines.insert(name + "/");
    } else {
      std::ifstream in(it->path(), std::ios::binary);
      const std::string bytes{std::istreambuf_iterator<char>(in), {}};
      lines.insert(name + ": " + OneLine(bytes, tmp));
    }
  }
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

class Transcript {
 public:
  Transcript(ScriptedPerson& person, StatusBar& status, std::string tmp = {})
      : tmp_(std::move(tmp)) {
    person.onAsk = [this, &person](const AskedQuestion& q) {
      static const char* const kinds[] = {"Information", "Warning", "Error", "Confirmation"};
      static const char* const names[] = {"Ok", "Cancel", "Yes", "No", "Abort"};
      std::string line = std::string(kinds[static_cast<int>(q.kind)]) + "? " + q.text + " [";
      for (Button b : q.buttons)
        line += std::string(line.back() == '[' ? "" : " ") + names[static_cast<int>(b)];
      line += "]";
      if (q.buttons.size() > 1 && !person.answers.empty()) {
        line += " -> " + std::string(names[static_cast<int>(person.answers.front())]);
      }
      Add(line);
    };
    keep_.Add(
        status.messageReported.Connect([this](StatusMessageKind kind, const std::string& text) {
          static const char* const kinds[] = {"Status", "Warning", "Error", "Fatal"};
          Add(std::string(kinds[static_cast<int>(kind)]) + ": " + text);
        }));
  }

  void Note(const std::string& line) { Add("-- " + line); }
  void Expect(const std::string& golden) const { ExpectGolden(golden, text_); }
  const std::string& Text() const { return text_; }

 private:
  void Add(const std::string& line) { text_ += OneLine(line, tmp_) + "\n"; }

  std::string tmp_;
  std::string text_;
  ConnectionList keep_;
};

inline const char* YesNo(bool flag) {
  return flag ? "yes" : "no";
}

}  // namespace korvane::testing
