#include "platform/desktop_exec.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "support/table_rows.h"

namespace {

using platform::DesktopEntryEscape;
using platform::DesktopExecFromWindowsCommand;
using platform::QuoteCommandArgument;

// The cases are in tests/data/platform/desktop_exec.txt.
TEST(DesktopExec, VerbCommandsAndInstallPathsComeBackWhole) {
  const auto rows = korvane::testing::ReadRows("platform/desktop_exec.txt");
  ASSERT_GE(rows.size(), 16u);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::map<std::string, std::string> field = row.Fields();
    if (field.count("verb")) {
      EXPECT_EQ(DesktopExecFromWindowsCommand(field["verb"]), field["exec"]);
      continue;
    }
    std::string command;
    for (const std::string& arg :
         {field["exe"], std::string("-root"), field["root"], std::string("-proj")})
      command += QuoteCommandArgument(arg) + " ";
    command += "\"%1\"";
    EXPECT_EQ(DesktopEntryEscape(DesktopExecFromWindowsCommand(command)), field["line"]) << command;
  }
}

TEST(DesktopExec, EscapesKeyFileStrings) {
  EXPECT_EQ(DesktopEntryEscape(" lead\\back\nline\ttab\rcr "),
            "\\slead\\\\back\\nline\\ttab\\rcr ");
}

}  // namespace
