#include "korvane/core/run/run_rules.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

using namespace std::chrono_literals;

TEST(RunRules, TheCaptionShowsTheStartThenTheRunTime) {
  const std::string started = BatchStartedCaption("Korvane - Payroll", 10h + 15min + 2s);
  EXPECT_EQ(started, "Korvane - Payroll Last batch started at: 10:15:02");
  EXPECT_EQ(BatchRuntimeCaption(started, 3min + 27s + 125ms),
            "Korvane - Payroll Last batch runtime: 00:03:27:125");
  // Only the last " Last batch " is cut off; a caption without one is the base as it is.
  EXPECT_EQ(BatchStartedCaption("A Last batch x Last batch runtime: 1", 0s),
            "A Last batch x Last batch started at: 00:00:00");
  EXPECT_EQ(BatchRuntimeCaption("Plain", 25h + 1ms), "Plain Last batch runtime: 01:00:00:001");
}

TEST(RunRules, OnlyViewingSavingCancellingAndExitingRunDuringARun) {
  EXPECT_TRUE(AllowedWhileRunning("ActViewProductLog", "Viewer"));
  for (const char* name : {"ActSaveProject", "ActCloseAll", "ActCancelRun", "ActSwitchOnLog",
                           "ActSwitchOffLog", "ActRename"}) {
    EXPECT_TRUE(AllowedWhileRunning(name, "File")) << name;
  }
  EXPECT_FALSE(AllowedWhileRunning("ActAddFilesToCopies", "File"));
  EXPECT_FALSE(AllowedWhileRunning("ActRunWrap", "Run"));
  EXPECT_FALSE(AllowedWhileRunning("actsaveproject", "viewer"));
}

}  // namespace
}  // namespace korvane
