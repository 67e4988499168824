#include <gtest/gtest.h>

#include <chrono>

#include "korvane/core/app/shell_fixture.h"
#include "korvane/core/run/ui_dispatcher.h"

namespace korvane::testing {
namespace {

namespace fs = std::filesystem;
using std::chrono::seconds;

// A shell with a window's event loop: the preparation of a run copies in steps posted to
// the queue, and the test turns the loop.
class SteppedPreparation : public ShellJobFixture {
 protected:
  std::unique_ptr<Shell> StartWrap() {
    fs::copy_file(std::string(KORVANE_TOOLROOT) + "/COBWrap/COBWrap", dir / "bin/COBWrap/COBWrap");
    auto shell = Start();
    shell->SetDispatcher(queue);
    FillIn(*shell, "PROD", "ACCT");
    for (const char* name : {"PAY.cbl", "TAX.cbl", "VAT.cbl"}) {
      dir.Write(std::string("out/SourceCollection/") + name, "       IDENTIFICATION DIVISION.\r\n");
      shell->Sources().Sources().Add({std::string(name) + "=/orig/" + name, true, true});
    }
    person.answers = {Button::Yes};  // the new output folder may be used
    EXPECT_TRUE(shell->Execute(names::kActRunWrap)) << shell->Status().Text();
    return shell;
  }
  bool Ended(Shell& shell) {
    const RunResult* run = shell.Runs().LastResult();
    return run != nullptr && run->end.has_value();
  }

  QueueDispatcher queue;
};

// The command returns before anything is copied; until the last step only closing gets
// through the gate; the tool starts after it, cancel is offered while it runs, and the
// results come back under their names.
TEST_F(SteppedPreparation, TheToolStartsAfterTheLastStepAndCommandsWaitForIt) {
  auto shell = StartWrap();
  Action& cancel = shell->Actions().Get("ActCancelRun");
  EXPECT_TRUE(shell->Prepare().Busy());
  EXPECT_FALSE(shell->Runs().Running());
  EXPECT_FALSE(cancel.Enabled());
  EXPECT_FALSE(fs::exists(dir / "out/Workinp/SRC0001.CBL"));

  shell->Execute("ActSortBySource");
  EXPECT_EQ(shell->Status().Text(), "The input structure is being built, please wait");

  ASSERT_TRUE(queue.RunUntil([&] { return shell->Runs().Running(); }, seconds(30)))
      << shell->Status().Text();
  EXPECT_FALSE(shell->Prepare().Busy());
  EXPECT_TRUE(fs::exists(dir / "out/Workinp/SRC0003.CBL"));
  EXPECT_TRUE(cancel.Enabled());

  ASSERT_TRUE(queue.RunUntil([&] { return Ended(*shell); }, seconds(60)));
  EXPECT_EQ(shell->Runs().LastResult()->end->kind, RunEnd::Kind::Succeeded);
  EXPECT_FALSE(cancel.Enabled());
  EXPECT_EQ(shell->Runs().LastResult()->renamed.renamed, 3) << shell->Status().Text();
}

// Closing the window between two steps asks at the next one (the question and the loop's
// end: InputStructure.StepsBetweenEventsBuildWhatOneGoBuilds); a Yes ends the preparation
// there and the tool is never started.
TEST_F(SteppedPreparation, ClosingTheWindowBetweenStepsStopsThePreparationAndNoToolStarts) {
  auto shell = StartWrap();
  EXPECT_FALSE(shell->CloseQuery());  // the window stays while the copy runs
  person.answers = {Button::Yes};
  queue.RunUntil([&] { return !shell->Prepare().Busy(); }, seconds(30));
  EXPECT_EQ(shell->Status().Text(), "Process aborted on user request!");
  EXPECT_EQ(queue.RunPending(), 0u);  // no step left behind
  EXPECT_FALSE(shell->Runs().Running());
  EXPECT_FALSE(Ended(*shell));
  EXPECT_FALSE(fs::exists(dir / "out/last.xml"));
}

}  // namespace
}  // namespace korvane::testing
