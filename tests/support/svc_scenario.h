#pragma once
// A scenario kept as a file under tests/data: command lines ("> run ActAddFiles") each
// followed by what it showed. The test runs the commands in order, writes what they show
// below each one, and compares the whole file once; KORVANE_UPDATE_GOLDEN=1 rewrites the
// shown lines (and keeps the commands and "#" comments). In the commands the placeholders
// stand for their values; in what is shown the values are written as placeholders.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/golden.h"
#include "support/svc_observations.h"

namespace korvane::testing {

// "\r", "\n", "\t", "\\" and "\xNN" in a command's text.
inline std::string Unescaped(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    if (next == 'r') {
      out += '\r';
    } else if (next == 'n') {
      out += '\n';
    } else if (next == 't') {
      out += '\t';
    } else if (next == 'x' && i + 2 < text.size()) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += next;
    }
  }
  return out;
}

struct ScenarioCommand {
  std::vector<std::string> words;  // after the command's name, split at blanks
  std::string rest;                // the text after the name, unescaped
  const std::string& operator[](size_t i) const {
    static const std::string none;
    if (i < words.size()) return words[i];
    ADD_FAILURE() << "missing word " << i;
    return none;
  }
  int Int(size_t i) const { return std::stoi((*this)[i]); }
  // The text after the first word, unescaped.
  std::string Text() const {
    const size_t at = rest.find(' ');
    return at == std::string::npos ? std::string() : rest.substr(at + 1);
  }
};

class Scenario {
 public:
  using Handler = std::function<void(const ScenarioCommand&)>;

  explicit Scenario(Placeholders marks) : marks_(std::move(marks)) {}
  void On(const std::string& name, Handler handler) { handlers_[name] = std::move(handler); }

  void Run(const std::string& golden) {
    std::istringstream file(ReadGolden(golden));
    for (std::string line; std::getline(file, line);) {
      if (line.rfind("> ", 0) != 0 && line.rfind("#", 0) != 0) continue;  // shown: redone
      out.text += line + "\n";
      if (line[0] == '>') Execute(line.substr(2));
    }
    ExpectGolden(golden, out.text, marks_);
  }

  Observations out;

 private:
  std::string Expanded(std::string text) const {
    for (const auto& [mark, value] : marks_) {
      for (size_t at; (at = text.find(mark)) != std::string::npos;)
        text.replace(at, mark.size(), value);
    }
    return text;
  }
  void Execute(const std::string& line) {
    const size_t blank = line.find(' ');
    const std::string name = line.substr(0, blank);
    ScenarioCommand command;
    if (blank != std::string::npos) {
      // Expanded after unescaping: a value may hold backslashes (a Windows path).
      command.rest = Expanded(Unescaped(line.substr(blank + 1)));
      for (size_t at = blank + 1, end; at <= line.size(); at = end + 1) {
        end = line.find(' ', at);
        if (end == std::string::npos) end = line.size();
        if (end > at) command.words.push_back(Expanded(Unescaped(line.substr(at, end - at))));
      }
    }
    const auto handler = handlers_.find(name);
    if (handler == handlers_.end()) {
      ADD_FAILURE() << "unknown scenario command: " << line;
      return;
    }
    handler->second(command);
  }

  Placeholders marks_;
  std::map<std::string, Handler> handlers_;
};

}  // namespace korvane::testing
