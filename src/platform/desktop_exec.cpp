#include "platform/desktop_exec.h"

#include <vector>

namespace platform {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Every word, the program's included, follows the C runtime's rules for
// arguments: 2n backslashes before a quote give n and the quote toggles
// quoting, 2n+1 give n and a literal quote, "" inside quotes is a literal
// quote. (Windows reads the program name without backslash escapes, as its
// file names hold no quotes; a path here may, written \".)
std::vector<std::string> SplitWindowsCommandLine(std::string_view line) {
  std::vector<std::string> args;
  size_t i = 0;
  for (;;) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) break;
    std::string arg;
    bool quoted = false;
    while (i < line.size() && (quoted || !IsBlank(line[i]))) {
      if (line[i] == '\\') {
        size_t count = 0;
        while (i < line.size() && line[i] == '\\') {
          ++count;
          ++i;
        }
        if (i < line.size() && line[i] == '"') {
          arg.append(count / 2, '\\');
          if (count % 2 == 1) {
            arg.push_back('"');
            ++i;
          }
        } else {
          arg.append(count, '\\');
        }
      } else if (line[i] == '"') {
        if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
          arg.push_back('"');
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        arg.push_back(line[i++]);
      }
    }
    args.push_back(std::move(arg));
  }
  return args;
}

constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";

std::string ExecArgument(const std::string& arg) {
  // Only the placeholder standing alone becomes the field code: a "%1" inside
  // a path is part of the path, and a field code inside quotes has no
  // defined meaning.
  if (arg == "%1") return "%f";
  std::string body;
  bool needsQuotes = arg.empty();
  for (const char c : arg) {
    if (c == '%') {
      body += "%%";
      continue;
    }
    if (kReserved.find(c) != std::string_view::npos) needsQuotes = true;
    if (c == '"' || c == '`' || c == '$' || c == '\\') body.push_back('\\');
    body.push_back(c);
  }
  if (!needsQuotes) return body;
  return "\"" + body + "\"";
}

}  // namespace

std::string DesktopExecFromWindowsCommand(std::string_view command) {
  std::string exec;
  for (const std::string& arg : SplitWindowsCommandLine(command)) {
    if (!exec.empty()) exec.push_back(' ');
    exec += ExecArgument(arg);
  }
  return exec;
}

std::string DesktopEntryEscape(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == ' ' && i == 0) {
      out += "\\s";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string QuoteCommandArgument(std::string_view arg) {
  std::string out = "\"";
  size_t backslashes = 0;
  for (const char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    out.push_back(c);
  }
  out.append(backslashes * 2, '\\');
  return out + "\"";
}

}  // namespace platform
