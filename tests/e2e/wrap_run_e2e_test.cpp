// The sample job run for real: preparation, the stand-in tools started through the batch
// runner with their console captured, results renamed back, logs written; and a tool that
// fails is reported as a failure.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "e2e/sample_job.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::MakeSampleJob;
using testing::RunJob;
using testing::TempDir;

TEST(WrapRun, TheSampleJobRunsEndToEndAndTheResultsComeBackUnderTheirNames) {
  TempDir dir;
  const std::string baseName = "out dir;$(x)&";
  const std::string job = MakeSampleJob(dir, baseName);
  const auto result = RunJob(dir, job);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.err.find("Analysis completed, processing finished: this run wrote 4 results, 4 "
                            "renamed back"),
            std::string::npos)
      << result.err;
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
       {std::pair<std::string, std::string>{"KORVANE_STANDIN_EXIT",
                                            "Error: The tool lastbatch.cmd ended with exit status "
                                            "5: analysis incomplete, this run wrote "},
        {"KORVANE_STANDIN_CRASH", "Error: The tool lastbatch.cmd ended with exit status "}}) {
    SCOPED_TRACE(variable);
    TempDir dir;
    const std::string job = MakeSampleJob(dir, "out");
    const auto result =
        RunJob(dir, job, {{variable, variable == "KORVANE_STANDIN_EXIT" ? "5" : "1"}});
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_NE(result.err.find(report), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("Analysis completed"), std::string::npos) << result.err;
  }
}

// A run that crashes after a good one says it wrote nothing; the good run's results
// stay as they were, and its product log is not shown as the crashed run's.
TEST(WrapRun, ACrashAfterAGoodRunIsNotReportedWithTheEarlierResults) {
  TempDir dir;
  const std::string job = MakeSampleJob(dir, "out");
  ASSERT_EQ(RunJob(dir, job).status, 0);
  const std::string before = dir.Read("out/WrapOut/CUSTRPT.xml");
  // File times have a coarse grain: the next run must start visibly later.
  const auto earlier = fs::file_time_type::clock::now() - std::chrono::minutes(5);
  for (const auto& entry : fs::recursive_directory_iterator(dir.Path() / "out")) {
    fs::last_write_time(entry.path(), earlier);
  }
  const auto result = RunJob(dir, job, {{"KORVANE_STANDIN_CRASH", "1"}});
  EXPECT_EQ(result.status, 1) << result.err;
  EXPECT_NE(result.err.find("analysis incomplete, this run wrote no results"), std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("The product log was not opened: "), std::string::npos) << result.err;
  EXPECT_EQ(dir.Read("out/WrapOut/CUSTRPT.xml"), before);
}

}  // namespace
}  // namespace korvane
