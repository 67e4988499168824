#include "platform/desktop_exec.h"

#include <gtest/gtest.h>

namespace {

using platform::DesktopEntryEscape;
using platform::DesktopExecFromWindowsCommand;

TEST(DesktopExec, ConvertsVerbCommands) {
  EXPECT_EQ(DesktopExecFromWindowsCommand("  prog   %1  "), "prog %f");
  EXPECT_EQ(DesktopExecFromWindowsCommand("   "), "");
  // Blanks and reserved characters force quotes; backslash, quote, dollar
  // and backtick are escaped inside them; "%" is doubled.
  EXPECT_EQ(DesktopExecFromWindowsCommand("\"/My Tools/k\" -root \"/a b\" \"%1\""),
            "\"/My Tools/k\" -root \"/a b\" %f");
  EXPECT_EQ(DesktopExecFromWindowsCommand("k $HOME a;b 'q' ~x (p) *"),
            "k \"\\$HOME\" \"a;b\" \"'q'\" \"~x\" \"(p)\" \"*\"");
  EXPECT_EQ(DesktopExecFromWindowsCommand("k 100% %%1 \"\""), "k 100%% %%%f \"\"");
  EXPECT_EQ(DesktopExecFromWindowsCommand("k `id`"), "k \"\\`id\\`\"");
  // The C runtime's backslash rules decide what each argument holds.
  EXPECT_EQ(DesktopExecFromWindowsCommand(R"(k a\\"b c" d\"e f\g "h""i")"),
            R"(k "a\\b c" "d\"e" "f\\g" "h\"i")");
  // The program name ends at its closing quote and keeps its backslashes.
  EXPECT_EQ(DesktopExecFromWindowsCommand(R"("C:\k\"x)"), R"("C:\\k\\" x)");
}

TEST(DesktopExec, EscapesKeyFileStrings) {
  EXPECT_EQ(DesktopEntryEscape(" lead\\back\nline\ttab\rcr "),
            "\\slead\\\\back\\nline\\ttab\\rcr ");
}

}  // namespace
