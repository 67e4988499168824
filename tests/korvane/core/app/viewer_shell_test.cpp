// The viewer as the shell wires it: the font kept across starts and the window's close
// request taking the viewer page first. (The log commands: Viewers.LogCommandsOpenOnlyWhatExists.)
#include <gtest/gtest.h>

#include <tuple>

#include "korvane/core/app/shell.h"
#include "korvane/core/app/shell_fixture.h"
#include "korvane/core/form/component_names.h"

namespace korvane {
namespace {

using ViewerShell = testing::ShellJobFixture;

TEST_F(ViewerShell, ChosenFontComesBackAtTheNextStart) {
  const FontChoice chosen{"DejaVu Sans Mono", 0, 10, -13, false, true, false, false};
  {
    auto shell = Start();
    person.fontAnswers = {chosen};
    EXPECT_TRUE(shell->Execute("ActSelectFont"));
  }
  const FontChoice font = Start()->Viewer().Font();
  EXPECT_EQ(std::tie(font.name, font.size, font.height, font.italic, font.bold),
            std::tie(chosen.name, chosen.size, chosen.height, chosen.italic, chosen.bold));
}

TEST_F(ViewerShell, CloseRequestClosesTheViewerPageFirst) {
  auto shell = Start();
  FillIn(*shell, "cust", "bank");
  dir.Write("out/bank.log", "wrapped\r\n");
  shell->Viewer().SetWrapRequested(true);
  EXPECT_TRUE(shell->Execute("ActViewProductLog"));
  ASSERT_EQ(shell->Viewer().Pages().size(), 1u);
  EXPECT_EQ(shell->Viewer().Current()->Caption(), "bank.log");

  EXPECT_FALSE(shell->CloseQuery());  // the page went, the window stays
  EXPECT_TRUE(shell->Viewer().Pages().empty());
  EXPECT_EQ(shell->Form().Get<PageControl>(names::kPageControlMain).ActivePage(),
            names::kPageNames);
  EXPECT_TRUE(person.asked.empty());
}

}  // namespace
}  // namespace korvane
