#include "korvane/core/run/run_progress.h"

#include <gtest/gtest.h>

#include "support/golden.h"

namespace korvane {
namespace {

// Every step of the progresses below as one line of run/progress.txt: what was done,
// then the caption, the application title and both bars.
struct Steps {
  void Show(const std::string& step, const RunProgress& p) {
    text += step + " | " + p.Caption() + " | " + p.ApplicationTitle() + " | modules " +
            std::to_string(p.Modules().position) + "/" + std::to_string(p.Modules().maximum) +
            ", sources " + std::to_string(p.Sources().position) + "/" +
            std::to_string(p.Sources().maximum) + "\n";
  }
  std::string text;
};

// Modules or entities at the start; console markers step the entities by product kind:
// kind 1 and the shell's own kind 4 on the source marker, kind 2 on the text marker (the
// name shown is still the one after a source marker: none); every line steps the sources.
TEST(RunProgress, StartsAndConsoleMarkersStepByProductKind) {
  Steps s;
  RunProgress plain("Payroll", 0);
  plain.Start(12, 3, false, 5);
  s.Show("plain start", plain);
  for (int kind : {1, 2, 4}) {
    RunProgress p("Job" + std::to_string(kind), kind);
    p.Start(12, 3, true, 3);
    s.Show("kind " + std::to_string(kind) + " captured start", p);
    for (const char* line : {"Orig Text File = MAP1", "  Orig Source File = PAY01.cbl"}) {
      p.OnConsoleLine(line);
      s.Show(line, p);
    }
  }
  testing::ExpectGolden("run/progress_console.txt", s.text);
}

TEST(RunProgress, PollStepsAdvanceTheSourcesBarAndStartItAgainWhenFull) {
  Steps s;
  RunProgress p("Job", 0);
  p.Start(4, 1, false, 0);
  for (int i = 0; i < 5; ++i) {
    p.OnPollStep(0, 4, 0, 1);
    s.Show("poll", p);
    p.EndStep();
    s.Show("end step", p);
  }
  p.OnPollStep(9, 4, 0, 1);  // a position beyond the maximum is held at it
  s.Show("poll at 9", p);
  p.Complete();
  s.Show("complete", p);
  testing::ExpectGolden("run/progress_poll.txt", s.text);
}

}  // namespace
}  // namespace korvane
