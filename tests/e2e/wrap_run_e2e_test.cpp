// The sample job run for real: preparation, the stand-in tools started through the batch
// runner with their console captured, results renamed back, logs written; and a tool that
// fails is reported as a failure.
#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/sample_job.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::MakeSampleJob;
using testing::RunProgram;
using testing::TempDir;

testing::ProgramResult RunJob(const TempDir& dir, const std::string& job,
                              std::map<std::string, std::string> env = {}) {
  const std::string root = KORVANE_TOOLROOT;
  env["HOME"] = dir.Path().string();
  env["XDG_CONFIG_HOME"] = dir / "config";
  env["XDG_DATA_HOME"] = dir / "data";
  return RunProgram(
      KORVANE_BINARY,
      {"-batch", "-Yes", "-ar", "Anal", "-Root", root, "-Ini", root + "/Korvane.INI", "-Proj", job},
      env);
}

TEST(WrapRun, TheSampleJobRunsEndToEndAndTheResultsComeBackUnderTheirNames) {
  TempDir dir;
  const std::string baseName = "out dir;$(x)&";
  const std::string job = MakeSampleJob(dir, baseName);
  const auto result = RunJob(dir, job);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.err.find("Analysis completed, processing finished"), std::string::npos);
  const fs::path base = dir.Path() / baseName;
  for (const char* name : {"ACCTUPD", "CUSTINQ", "CUSTRPT", "INTCALC"}) {
    EXPECT_TRUE(fs::exists(base / "WrapOut" / (std::string(name) + ".xml"))) << name;
  }
  EXPECT_FALSE(fs::exists(base / "WrapOut/SRC0001.xml"));
  // Every tool wrote its line to the product log, and the captured console was kept.
  const std::string log = dir.Read(baseName + "/bank.log");
  EXPECT_NE(log.find("Dalmer SRC0002 CUSTINQ.cbl"), std::string::npos) << log;
  const std::string console = dir.Read(baseName + "/Console.log");
  EXPECT_NE(console.find("Orig Source File = INTCALC.cbl"), std::string::npos) << console;
  EXPECT_NE(result.out.find("Preparation report: 4 sources"), std::string::npos) << result.out;
  // The job was saved as not running.
  EXPECT_NE(dir.Read("CustBankXml.jwrap").find("BatchRunning=N"), std::string::npos);
}

// Through the batch runner a crash arrives as the runner's exit status.
TEST(WrapRun, AToolThatFailsOrCrashesIsNeverReportedAsSuccess) {
  for (const auto& [variable, report] :
       {std::pair<std::string, std::string>{"KORVANE_STANDIN_EXIT", "exit status 5"},
        {"KORVANE_STANDIN_CRASH", "The tool "}}) {
    SCOPED_TRACE(variable);
    TempDir dir;
    const std::string job = MakeSampleJob(dir, "out");
    const auto result =
        RunJob(dir, job, {{variable, variable == "KORVANE_STANDIN_EXIT" ? "5" : "1"}});
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_NE(result.err.find(report), std::string::npos) << result.err;
  }
}

}  // namespace
}  // namespace korvane
