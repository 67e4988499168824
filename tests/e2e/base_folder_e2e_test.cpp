// One run at a time on a base folder, through the real program: a second shell on a
// folder in use is refused and touches nothing. (A job that does not own a folder takes
// it only with -TakeOver: the rows of tests/data/e2e/sample_runs.txt; a save never
// replaces another job: JobLifecycle.AJobOpenedAtStartComesBackAsSaved.)
#include <gtest/gtest.h>

#include <filesystem>
#include <future>

#include "e2e/sample_job.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::MakeSampleJob;
using testing::ProgramResult;
using testing::RunJob;
using testing::SampleResults;
using testing::TempDir;

TEST(BaseFolder, ASecondRunOnAFolderInUseIsRefusedAndTheFirstEndsIntact) {
  TempDir dir;
  const std::string job = MakeSampleJob(dir, "out");
  const fs::path base = dir.Path() / "out";
  auto first = std::async(std::launch::async, [&] {
    return RunJob(dir, job, {{"KORVANE_STANDIN_DELAY_MS", "1500"}});
  });
  // The batch file is the preparation's last step: the first run's tools start next.
  ASSERT_TRUE(testing::WaitForFile(base / "lastbatch.cmd"));
  const ProgramResult second = RunJob(dir, job);
  EXPECT_EQ(second.status, 8) << second.err;
  EXPECT_NE(second.err.find("The base directory " + base.string() +
                            " is in use by another Korvane (process "),
            std::string::npos)
      << second.err;
  EXPECT_NE(second.err.find("korvane: exit status 8: "), std::string::npos) << second.err;

  const ProgramResult result = first.get();
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(SampleResults(base), 4);
  EXPECT_FALSE(fs::exists(base / "WrapOut/SRC0001.xml"));
  EXPECT_NE(dir.Read("CustBankXml.jwrap").find("BatchRunning=N"), std::string::npos);
}

}  // namespace
}  // namespace korvane
