#include "platform/desktop_exec.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::DesktopEntryEscape;
using platform::DesktopExecFromWindowsCommand;
using platform::QuoteCommandArgument;

TEST(DesktopExec, InstallPathsComeBackWhole) {
  // The line as the desktop entry holds it, key-file escaping included: a
  // desktop environment reading it back gets exactly the arguments quoted in.
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
    std::string command;
    for (const std::string& arg : {c.exe, std::string("-root"), c.root, std::string("-proj")})
      command += QuoteCommandArgument(arg) + " ";
    command += "\"%1\"";
    EXPECT_EQ(DesktopEntryEscape(DesktopExecFromWindowsCommand(command)), c.line) << command;
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
