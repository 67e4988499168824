#include "korvane/core/run/run_progress.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(RunProgress, StartsWithModulesOrEntities) {
  RunProgress plain("Payroll", 0);
  plain.Start(12, 3, false, 5);
  EXPECT_EQ(plain.Caption(),
            "Started processing project Payroll - Modules 0 of 12 - Sources 0 of 3");
  EXPECT_EQ(plain.Modules().maximum, 12);
  EXPECT_EQ(plain.Sources().maximum, 30);

  RunProgress captured("Payroll", 0);
  captured.Start(12, 3, true, 5);
  EXPECT_EQ(captured.Caption(), "Started processing project Payroll - Entity 0 of 5 ");
  EXPECT_EQ(captured.Modules().maximum, 5);
  EXPECT_EQ(captured.ApplicationTitle(), "");
}

TEST(RunProgress, ConsoleMarkersStepTheEntitiesByProductKind) {
  RunProgress cobol("Payroll", 1);
  cobol.Start(0, 1, true, 2);
  cobol.OnConsoleLine("Orig Text File = X");  // not the marker of this kind
  EXPECT_EQ(cobol.Modules().position, 0);
  cobol.OnConsoleLine("  Orig Source File = PAY01.cbl");
  EXPECT_EQ(cobol.Modules().position, 1);
  EXPECT_EQ(cobol.Caption(), "Started processing project Payroll - Entity 1 of 2 -  PAY01.cbl");
  EXPECT_EQ(cobol.ApplicationTitle(), "2 of 2 - Payroll");
  EXPECT_EQ(cobol.Sources().position, 2);  // every line steps the sources bar

  // Kind 2 looks for the text marker; the name shown is still taken after the source marker.
  RunProgress maps("Maps", 2);
  maps.Start(0, 1, true, 3);
  maps.OnConsoleLine("Orig Source File = A");
  EXPECT_EQ(maps.Modules().position, 0);
  maps.OnConsoleLine("Orig Text File = MAP1");
  EXPECT_EQ(maps.Modules().position, 1);
  EXPECT_EQ(maps.Caption(), "Started processing project Maps - Entity 1 of 3 - ");

  // The shell's own kind follows the source marker too: the caption names the entity run.
  RunProgress shell("Any", 4);
  shell.Start(0, 1, true, 3);
  shell.OnConsoleLine("Orig Text File = T");
  EXPECT_EQ(shell.Modules().position, 0);
  shell.OnConsoleLine("Orig Source File = A.cbl");
  EXPECT_EQ(shell.Modules().position, 1);
  EXPECT_EQ(shell.Caption(), "Started processing project Any - Entity 1 of 3 -  A.cbl");
  EXPECT_EQ(shell.Sources().position, 2);
}

TEST(RunProgress, PollStepsAdvanceTheSourcesBarAndStartItAgainWhenFull) {
  RunProgress p("Job", 0);
  p.Start(4, 1, false, 0);  // sources maximum 10
  for (int i = 0; i < 4; ++i) {
    p.OnPollStep(0, 4, 0, 1);
    p.EndStep();
  }
  EXPECT_EQ(p.Sources().position, 8);
  EXPECT_EQ(p.Caption(), "Started processing project Job - Modules 0 of 4 - Sources 0 of 1");
  p.OnPollStep(0, 4, 0, 1);
  EXPECT_EQ(p.Sources().position, 10);
  p.EndStep();
  EXPECT_EQ(p.Sources().position, 0);
  p.OnPollStep(9, 4, 0, 1);  // a position beyond the maximum is held at it
  EXPECT_EQ(p.Modules().position, 4);
  p.Complete();
  EXPECT_EQ(p.ApplicationTitle(), "Completed - Job");
}

}  // namespace
}  // namespace korvane
