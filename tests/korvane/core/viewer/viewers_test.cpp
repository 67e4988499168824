// Viewer pages: opening, reuse and reload, captions, closing, the log commands, the
// result-file dialog, search, the font and following a growing log. The scenarios are in
// tests/data/viewer, commands with what they showed.
#include "korvane/core/viewer/viewers.h"

#include <gtest/gtest.h>

#include "korvane/core/viewer/viewer_fixture.h"

namespace korvane {
namespace {

using testing::ViewerFixture;

TEST(Viewers, OpensReusesAndNamesPages) {
  ViewerFixture().RunScenario("viewer/opening.txt");
}

TEST(Viewers, AsksBeforeReloadingAChangedFileButNotALog) {
  ViewerFixture().RunScenario("viewer/reloading.txt");
}

TEST(Viewers, ClosingTheLastPageHidesTheViewer) {
  ViewerFixture().RunScenario("viewer/closing.txt");
}

TEST(Viewers, ReportsTheLineOfTheSelection) {
  ViewerFixture().RunScenario("viewer/line_report.txt");
}

TEST(Viewers, LogCommandsOpenOnlyWhatExists) {
  ViewerFixture().RunScenario("viewer/logs.txt");
}

TEST(Viewers, AnEarlierRunsLogIsNotOpenedAsTheLastRunsAndOldResultsSaySo) {
  ViewerFixture().RunScenario("viewer/earlier_run.txt");
}

TEST(Viewers, GeneralViewerOffersResultFiles) {
  ViewerFixture().RunScenario("viewer/general.txt");
}

TEST(Viewers, FollowedLogGrowsWithoutAQuestion) {
  ViewerFixture().RunScenario("viewer/following.txt");
}

TEST(Viewers, FindsInALogPageGoingRoundAndAgainWithFindNext) {
  ViewerFixture().RunScenario("viewer/finding.txt");
}

TEST(Viewers, StoresTheChosenFont) {
  ViewerFixture f;
  EXPECT_EQ(f.viewers.Font().name, "Lucida Console");
  EXPECT_EQ(f.viewers.Font().height, -11);
  FontChoice font{"DejaVu Sans Mono", 0, 12, -16, true, false, true, false};
  f.person.fontAnswers = {font, std::nullopt};
  int changes = 0;
  Connection c = f.viewers.fontChanged.Connect([&] { ++changes; });
  f.actions.Get("ActSelectFont").Invoke();
  f.actions.Get("ActSelectFont").Invoke();  // cancelled: nothing changes
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(f.settings.ReadSetting("FontName"), "DejaVu Sans Mono");
  EXPECT_EQ(f.settings.ReadIntSetting("FontSize"), 12);
  EXPECT_EQ(f.settings.ReadIntSetting("FontHeight"), -16);
  EXPECT_TRUE(f.settings.ReadBoolSetting("FontBold"));
  EXPECT_FALSE(f.settings.ReadBoolSetting("FontItalic"));
  EXPECT_TRUE(f.settings.ReadBoolSetting("FontUnderline"));
  EXPECT_FALSE(f.settings.ReadBoolSetting("FontStrikeOut"));
  EXPECT_EQ(f.settings.ReadIntSetting("FontCharSet"), 0);
}

}  // namespace
}  // namespace korvane
