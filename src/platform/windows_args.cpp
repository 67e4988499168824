#include "platform/windows_args.h"

namespace platform {

namespace {

struct Token {
  std::string text;
  bool quoted = false;                      // some part of it was inside double quotes
  std::size_t quoteAt = std::string::npos;  // length of text when the first quote came
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::vector<Token> Tokenize(std::string_view s) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  const std::size_t n = s.size();
  while (i < n && IsBlank(s[i])) ++i;
  if (i == n) return tokens;

  // The program name: no escapes, a quote only delimits.
  Token program;
  if (s[i] == '"') {
    program.quoted = true;
    const std::size_t close = s.find('"', i + 1);
    const std::size_t end = close == std::string_view::npos ? n : close;
    program.text.assign(s.substr(i + 1, end - i - 1));
    i = close == std::string_view::npos ? n : close + 1;
  } else {
    const std::size_t start = i;
    while (i < n && !IsBlank(s[i])) ++i;
    program.text.assign(s.substr(start, i - start));
  }
  tokens.push_back(std::move(program));

  while (true) {
    while (i < n && IsBlank(s[i])) ++i;
    if (i == n) break;
    Token arg;
    bool inQuotes = false;
    while (i < n) {
      const char c = s[i];
      if (IsBlank(c) && !inQuotes) break;
      if (c == '\\') {
        std::size_t k = 0;
        while (i < n && s[i] == '\\') ++k, ++i;
        if (i < n && s[i] == '"') {
          arg.text.append(k / 2, '\\');
          if (k % 2 == 1) {
            arg.text.push_back('"');
            ++i;
          }
        } else {
          arg.text.append(k, '\\');
        }
      } else if (c == '"') {
        if (!arg.quoted) arg.quoteAt = arg.text.size();
        arg.quoted = true;
        if (inQuotes && i + 1 < n && s[i + 1] == '"') {
          arg.text.push_back('"');
          i += 2;
        } else {
          inQuotes = !inQuotes;
          ++i;
        }
      } else {
        arg.text.push_back(c);
        ++i;
      }
    }
    tokens.push_back(std::move(arg));
  }
  return tokens;
}

}  // namespace

std::vector<std::string> SplitWindowsCommandLine(std::string_view line) {
  std::vector<std::string> args;
  for (Token& token : Tokenize(line)) args.push_back(std::move(token.text));
  return args;
}

ParsedCommand ParseCommandLine(std::string_view line) {
  std::vector<Token> tokens = Tokenize(line);
  ParsedCommand result;
  const auto isOperator = [](const Token& t) {
    return !t.quoted && (t.text == ">" || t.text == ">>");
  };
  if (tokens.size() >= 3 && isOperator(tokens[tokens.size() - 2]) && !tokens.back().text.empty()) {
    result.append = tokens[tokens.size() - 2].text == ">>";
    result.redirectTo = tokens.back().text;
    tokens.resize(tokens.size() - 2);
  } else if (tokens.size() >= 2 && tokens.back().text.size() > 1 && tokens.back().text[0] == '>' &&
             tokens.back().quoteAt >= 1) {
    // ">file", also with the name in quotes; a quoted ">" is an argument.
    const Token& last = tokens.back();
    const bool append = last.text[1] == '>' && last.quoteAt >= 2;
    std::string target = last.text.substr(append ? 2 : 1);
    if (!target.empty()) {
      result.append = append;
      result.redirectTo = std::move(target);
      tokens.pop_back();
    }
  } else if (!tokens.empty() && tokens.size() == 1 && tokens[0].quoted) {
    // A program part quoted together with its redirection.
    std::string& program = tokens[0].text;
    const std::size_t at = program.rfind(" > ");
    if (at != std::string::npos && at > 0) {
      std::size_t from = at + 3;
      while (from < program.size() && IsBlank(program[from])) ++from;
      if (from < program.size()) {
        result.redirectTo = program.substr(from);
        program.resize(at);
        while (!program.empty() && IsBlank(program.back())) program.pop_back();
      }
    }
  }
  for (Token& token : tokens) result.argv.push_back(std::move(token.text));
  return result;
}

std::string QuoteWindowsArgument(std::string_view arg) {
  if (!arg.empty() && arg.find_first_of(" \t\"") == std::string_view::npos) {
    return std::string(arg);
  }
  std::string out = "\"";
  std::size_t backslashes = 0;
  for (const char c : arg) {
    if (c == '\\') {
      ++backslashes;
    } else if (c == '"') {
      out.append(backslashes + 1, '\\');
      backslashes = 0;
    } else {
      backslashes = 0;
    }
    out.push_back(c);
  }
  out.append(backslashes, '\\');
  out.push_back('"');
  return out;
}

}  // namespace platform
