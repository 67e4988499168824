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
  ViewerFixture().RunScenario("viewer/font.txt");
}

}  // namespace
}  // namespace korvane
