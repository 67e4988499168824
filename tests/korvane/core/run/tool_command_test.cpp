#include "korvane/core/run/tool_command.h"

#include <gtest/gtest.h>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/run/tool_launcher.h"
#include "support/golden.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

using Args = std::vector<std::string>;
using testing::TempDir;

// A plan as the lines of run/launch_plans.txt: the command line shown, the arguments one
// to a line, and where the output goes.
std::string PlanText(const std::string& what, const LaunchPlan& plan) {
  std::string text = "== " + what + "\ncommand line [" + plan.commandLine + "] in [" +
                     plan.options.workDir + "]\n";
  for (const std::string& arg : plan.options.argv) text += "arg [" + arg + "]\n";
  return text + "output file [" + plan.options.outputFile + "], captured " +
         (plan.options.captureOutput ? "yes" : "no") + ", input piped " +
         (plan.options.pipeInput ? "yes" : "no") + "\n";
}

// Batch or single tool, console log or not; then each command as the program started:
// the whole batch program part quoted with its redirection goes to the runner with the
// log as its output file; through the console stub the stub's path stays whole, pipes
// go both ways and there is no redirection.
TEST(ToolCommand, ChoosesTheCommandAndTurnsItIntoAProgramWithArguments) {
  const std::string base = "/jobs/pay roll/";
  std::string text;
  for (const bool batch : {true, false}) {
    for (const bool log : {true, false}) {
      const ToolCommand c = ChooseToolCommand(batch, log, base, "/opt/tools/COBWrap/COBWrap");
      text += "chosen [" + c.program + "] [" + c.parameters + "]\n";
    }
  }
  LaunchSettings settings{"/usr/lib/korvane/quill stub", "/usr/lib/korvane/korvane-batch-runner",
                          true};
  text += PlanText(
      "batch",
      PlanPlainStart({QuoteProgramPart(base + "lastbatch.cmd > Console.log"), ""}, base, settings));
  text += PlanText(
      "quoted tool",
      PlanPlainStart({"\"/opt/my tools/COBWrap\"", "last.xml > Console.log"}, "/j/", settings));
  text += PlanText("captured tool",
                   PlanCapturedStart({"/opt/COBWrap", "last.xml > Console.log"}, "/j/", settings));
  text += PlanText("captured batch", PlanCapturedStart({"/j/LASTBATCH.CMD", ""}, "/j/", settings));
  testing::ExpectGolden("run/launch_plans.txt", text);

  EXPECT_EQ(QuoteProgramPart("/opt/tools/COBWrap"), "/opt/tools/COBWrap");
  EXPECT_EQ(QuoteProgramPart("  /opt/my tools/COBWrap "), "\"/opt/my tools/COBWrap\"");
  EXPECT_EQ(BatchRunProhibitedText({"\"/a b/x\"", "last.xml"}),
            "Batch run prohibited : \"/a b/x\" last.xml");
  EXPECT_EQ(
      FailedToStartText(2).rfind("Failed to start batch processing task System Error : 2 - ", 0),
      0u);
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
