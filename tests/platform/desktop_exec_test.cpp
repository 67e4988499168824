#include "platform/desktop_exec.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

using platform::DesktopEntryEscape;
using platform::DesktopExecFromWindowsCommand;

constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";

// Reads an Exec value as written in the file back into arguments, the way a
// desktop environment does: the key file's string escapes, then the quoting,
// then the field codes. The file field code comes back as "%1", and anything
// the format leaves undefined fails the test.
std::vector<std::string> ParseExec(const std::string& value) {
  std::string text;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\') {
      text.push_back(value[i]);
      continue;
    }
    const char next = ++i < value.size() ? value[i] : '\0';
    const std::string_view from = "s\\ntr";
    const std::string_view to = " \\\n\t\r";
    if (next == '\0' || from.find(next) == std::string_view::npos) {
      ADD_FAILURE() << "bad string escape in " << value;
      return {};
    }
    text.push_back(to[from.find(next)]);
  }

  std::vector<std::string> args;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    std::string arg;
    const bool quoted = text[i] == '"';
    if (quoted) {
      for (++i;; ++i) {
        if (i == text.size()) {
          ADD_FAILURE() << "unclosed quote in " << value;
          return {};
        }
        if (text[i] == '"') break;
        if (text[i] == '\\') {
          if (++i == text.size() || std::string_view("\"`$\\").find(text[i]) == std::string::npos) {
            ADD_FAILURE() << "bad quoted escape in " << value;
            return {};
          }
        }
        arg.push_back(text[i]);
      }
      ++i;
      if (i < text.size() && text[i] != ' ') ADD_FAILURE() << "quote inside a word: " << value;
    } else {
      for (; i < text.size() && text[i] != ' '; ++i) {
        if (kReserved.find(text[i]) != std::string_view::npos) {
          ADD_FAILURE() << "unquoted '" << text[i] << "' in " << value;
        }
        arg.push_back(text[i]);
      }
    }
    std::string out;
    for (size_t j = 0; j < arg.size(); ++j) {
      if (arg[j] != '%') {
        out.push_back(arg[j]);
      } else if (j + 1 < arg.size() && arg[j + 1] == '%') {
        out.push_back('%');
        ++j;
      } else if (arg == "%f" && !quoted) {
        out = "%1";
        break;
      } else {
        ADD_FAILURE() << "field code out of place in " << value;
      }
    }
    args.push_back(out);
  }
  return args;
}

// Quotes one argument by the C runtime's rules: backslashes are doubled only
// before a quote, whether literal or the closing one.
std::string QuoteForWindows(const std::string& arg) {
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

TEST(DesktopExec, InstallPathsComeBackWhole) {
  // The line as the desktop entry holds it, key-file escaping included.
  const struct {
    std::string exe;
    std::string root;
    std::string line;
  } cases[] = {
      {"/opt/k", "/a\"b", R"(/opt/k -root "/a\\"b" -proj %f)"},
      {"/opt/k", "/100%", R"(/opt/k -root /100%% -proj %f)"},
      {"/opt/k", "/x%1y%f", R"(/opt/k -root /x%%1y%%f -proj %f)"},
      {"/opt/k", "/$HOME", R"(/opt/k -root "/\\$HOME" -proj %f)"},
      {"/opt/k", "/`id`", R"(/opt/k -root "/\\`id\\`" -proj %f)"},
      {"/opt/k", "/a\\b\\", R"(/opt/k -root "/a\\\\b\\\\" -proj %f)"},
      {"/opt/k", "/my tools", R"(/opt/k -root "/my tools" -proj %f)"},
      {"/my \"apps\"/100%/k", "/r", R"("/my \\"apps\\"/100%%/k" -root /r -proj %f)"},
      {"/o'k\\", "/a\"\\", R"("/o'k\\\\" -root "/a\\"\\\\" -proj %f)"},
  };
  for (const auto& c : cases) {
    const std::vector<std::string> args{c.exe, "-root", c.root, "-proj", "%1"};
    std::string command;
    for (const std::string& arg : args)
      command += (command.empty() ? "" : " ") + QuoteForWindows(arg);
    SCOPED_TRACE(command);
    const std::string line = DesktopEntryEscape(DesktopExecFromWindowsCommand(command));
    EXPECT_EQ(line, c.line);
    EXPECT_EQ(ParseExec(line), args);
  }
}

TEST(DesktopExec, ConvertsVerbCommands) {
  EXPECT_EQ(DesktopExecFromWindowsCommand("  prog   %1  "), "prog %f");
  EXPECT_EQ(DesktopExecFromWindowsCommand("   "), "");
  // Blanks and reserved characters force quotes; backslash, quote, dollar
  // and backtick are escaped inside them; "%" is doubled.
  EXPECT_EQ(DesktopExecFromWindowsCommand("\"/My Tools/k\" -root \"/a b\" \"%1\""),
            "\"/My Tools/k\" -root \"/a b\" %f");
  EXPECT_EQ(DesktopExecFromWindowsCommand("k $HOME a;b 'q' ~x (p) *"),
            "k \"\\$HOME\" \"a;b\" \"'q'\" \"~x\" \"(p)\" \"*\"");
  // Only a "%1" of its own is the file.
  EXPECT_EQ(DesktopExecFromWindowsCommand("k 100% %%1 -f%1 \"\""), "k 100%% %%%%1 -f%%1 \"\"");
  // The C runtime's backslash rules decide what each word holds, the
  // program's too.
  EXPECT_EQ(DesktopExecFromWindowsCommand(R"(k a\\"b c" d\"e f\g "h""i")"),
            R"(k "a\\b c" "d\"e" "f\\g" "h\"i")");
  EXPECT_EQ(DesktopExecFromWindowsCommand(R"("/k\"x" "/k\\" y)"), R"("/k\"x" "/k\\" y)");
}

TEST(DesktopExec, EscapesKeyFileStrings) {
  EXPECT_EQ(DesktopEntryEscape(" lead\\back\nline\ttab\rcr "),
            "\\slead\\\\back\\nline\\ttab\\rcr ");
}

}  // namespace
