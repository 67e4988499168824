// The verdict at the end of a run: which tool failed, on which source, by which status or
// signal, said before anything else and with this run's results.
#include "korvane/core/run/run_verdict.h"

#include <gtest/gtest.h>

#include <csignal>

#include "support/golden.h"

namespace korvane {
namespace {

TEST(RunVerdict, EveryWayARunEndsIsSaidWithItsToolSourceAndResults) {
  using Kind = RunEnd::Kind;
  const struct {
    RunEnd end;
    bool cancelled;
    const char* source;
    int written;
    int renamed;
  } rows[] = {
      {{Kind::Succeeded, 0}, false, "", 4, 4},
      {{Kind::Succeeded, 0}, false, "CUSTRPT.cbl", 1, 0},
      {{Kind::Failed, 5}, false, "", 0, 0},
      {{Kind::Failed, 5}, false, "CUSTRPT.cbl", 2, 1},
      {{Kind::Signalled, SIGABRT}, false, "CUSTRPT.cbl", 0, 0},
      {{Kind::Signalled, 999}, false, "", 0, 0},
      // The person's cancel decides, whatever the tool then ended with.
      {{Kind::Failed, 1}, true, "CUSTRPT.cbl", 3, 3},
      {{Kind::Cancelled, 130}, false, "", 0, 0},
  };
  std::string transcript;
  for (const auto& row : rows) {
    const RunVerdict verdict =
        EndOfRunVerdict(row.end, row.cancelled, "Ardent", row.source, row.written, row.renamed);
    transcript += std::string(verdict.error ? "Error: " : "Warning: ") + verdict.text + "\n";
  }
  testing::ExpectGolden("run/verdicts.txt", transcript);
}

TEST(RunVerdict, TheToolIsNamedByItsProgramFileAlone) {
  EXPECT_EQ(ToolNameOf("\"/opt/tools/COBWrap/Ardent\""), "Ardent");
  EXPECT_EQ(ToolNameOf("/job/base/lastbatch.cmd > Console.log"), "lastbatch.cmd");
  EXPECT_EQ(ToolNameOf("\"/opt/my tools/Ardent\" > Console.log"), "Ardent");
  EXPECT_EQ(ToolNameOf("C:\\Tools\\COBWrap\\Ardent.exe"), "Ardent.exe");
  EXPECT_EQ(ToolNameOf("Ardent"), "Ardent");
  EXPECT_EQ(SignalText(9), "signal 9 (Killed)");
  EXPECT_EQ(SignalText(0), "signal 0");
}

}  // namespace
}  // namespace korvane
