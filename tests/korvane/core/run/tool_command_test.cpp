#include "korvane/core/run/tool_command.h"

#include <gtest/gtest.h>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/run/tool_launcher.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

using Args = std::vector<std::string>;
using testing::TempDir;

TEST(ToolCommand, ChoosesTheProgramAndParametersOfARun) {
  const std::string base = "/jobs/pay roll/";
  const std::string eskar = "/opt/tools/COBWrap/COBWrap";
  EXPECT_EQ(ChooseToolCommand(true, true, base, eskar),
            (ToolCommand{"/jobs/pay roll/lastbatch.cmd > Console.log", ""}));
  EXPECT_EQ(ChooseToolCommand(true, false, base, eskar),
            (ToolCommand{"/jobs/pay roll/lastbatch.cmd", ""}));
  EXPECT_EQ(ChooseToolCommand(false, true, base, eskar),
            (ToolCommand{eskar, "last.xml > Console.log"}));
  EXPECT_EQ(ChooseToolCommand(false, false, base, eskar), (ToolCommand{eskar, "last.xml"}));

  EXPECT_EQ(QuoteProgramPart("/opt/tools/COBWrap"), "/opt/tools/COBWrap");
  EXPECT_EQ(QuoteProgramPart("  /opt/my tools/COBWrap "), "\"/opt/my tools/COBWrap\"");
  EXPECT_EQ(BatchRunProhibitedText({"\"/a b/x\"", "last.xml"}),
            "Batch run prohibited : \"/a b/x\" last.xml");
  EXPECT_EQ(
      FailedToStartText(2).rfind("Failed to start batch processing task System Error : 2 - ", 0),
      0u);
}

TEST(ToolCommand, TurnsCommandsIntoProgramsWithArguments) {
  LaunchSettings settings{"/usr/lib/korvane/quill stub", "/usr/lib/korvane/korvane-batch-runner",
                          true};
  // The whole batch program part quoted with its redirection: runner, file, log.
  LaunchPlan plan =
      PlanPlainStart({QuoteProgramPart("/jobs/pay roll/lastbatch.cmd > Console.log"), ""},
                     "/jobs/pay roll/", settings);
  EXPECT_EQ(plan.commandLine, "\"/jobs/pay roll/lastbatch.cmd > Console.log\" ");
  EXPECT_EQ(plan.options.argv, (Args{settings.batchRunnerPath, "/jobs/pay roll/lastbatch.cmd"}));
  EXPECT_EQ(plan.options.outputFile, "Console.log");
  EXPECT_EQ(plan.options.workDir, "/jobs/pay roll/");
  EXPECT_FALSE(plan.options.captureOutput);

  plan = PlanPlainStart({"\"/opt/my tools/COBWrap\"", "last.xml > Console.log"}, "/j/", settings);
  EXPECT_EQ(plan.options.argv, (Args{"/opt/my tools/COBWrap", "last.xml"}));
  EXPECT_EQ(plan.options.outputFile, "Console.log");

  // Through the stub: its path stays whole, pipes both ways, no redirection.
  plan = PlanCapturedStart({"/opt/COBWrap", "last.xml > Console.log"}, "/j/", settings);
  EXPECT_EQ(plan.commandLine, "/usr/lib/korvane/quill stub /opt/COBWrap last.xml > Console.log");
  EXPECT_EQ(plan.options.argv, (Args{settings.consoleStubPath, "/opt/COBWrap", "last.xml"}));
  EXPECT_TRUE(plan.options.captureOutput && plan.options.pipeInput);
  EXPECT_EQ(plan.options.outputFile, "");
  plan = PlanCapturedStart({"/j/LASTBATCH.CMD", ""}, "/j/", settings);
  EXPECT_EQ(plan.options.argv,
            (Args{settings.consoleStubPath, settings.batchRunnerPath, "/j/LASTBATCH.CMD"}));
}

TEST(ToolLauncher, RefusesWhileStoppedAndOtherwiseClearsTheLastRunsFiles) {
  TempDir dir;
  dir.Write("Semaphore.xml", "");
  dir.Write("Console.log", "old");
  testing::ScriptedPerson person;
  StatusBar status(person);
  ToolLauncher launcher(status, LaunchSettings{});
  const std::string base = dir.Path().string() + "/";
  EXPECT_THROW(launcher.Start({"/bin/true", "last.xml"}, base, true), OperationAbort);
  EXPECT_EQ(status.Text(), "Batch run prohibited : /bin/true last.xml");
  EXPECT_TRUE(std::filesystem::exists(dir / "Semaphore.xml"));
  EXPECT_EQ(dir.Read("Console.log"), "old");

  auto process = launcher.Start({KORVANE_TEST_TOOL, "out:new > Console.log"}, base, false);
  ASSERT_TRUE(process);
  ASSERT_TRUE(process->WaitFor(std::chrono::milliseconds(5000)));
  EXPECT_FALSE(std::filesystem::exists(dir / "Semaphore.xml"));
  EXPECT_EQ(dir.Read("Console.log"), "new");

  EXPECT_FALSE(launcher.Start({base + "missing tool", "last.xml"}, base, false));
  EXPECT_EQ(launcher.LastStartError(), ENOENT);
  EXPECT_EQ(launcher.LastCommandLine(), "\"" + base + "missing tool\" last.xml");
}

}  // namespace
}  // namespace korvane
