// One job per base folder, one run at a time, through the real program: a second
// shell on a folder in use is refused and touches nothing, and a job that does not own
// a folder may take it only with its switch. (That a save never replaces another job is
// JobLifecycle.AJobOpenedAtStartComesBackAsSaved.)
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

// The sample job file with its project and product names replaced: another job.
std::string OtherJob(const TempDir& dir, const std::string& job, const std::string& file) {
  std::string text = dir.Read(fs::relative(job, dir.Path()).string());
  for (const auto& [from, to] :
       {std::pair<std::string, std::string>{"ProjectName=CustBankXml", "ProjectName=OtherBankXml"},
        {"ProjectProductName=cust", "ProjectProductName=other"},
        {"EditProductName=cust", "EditProductName=other"}}) {
    const size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
  }
  return dir.Write(file, text);
}

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

TEST(BaseFolder, AnotherJobTakesAFolderOnlyWithTheSwitch) {
  TempDir dir;
  const std::string job = MakeSampleJob(dir, "out");
  ASSERT_EQ(RunJob(dir, job).status, 0);
  const fs::path base = dir.Path() / "out";
  EXPECT_NE(dir.Read("out/.korvane.job").find("ProjectName=CustBankXml"), std::string::npos);

  // -Yes does not answer it: nobody was asked.
  const std::string other = OtherJob(dir, job, "Other.jwrap");
  fs::remove(base / "SourceCollection/INTCALC.cbl");  // would come back with a takeover
  const ProgramResult refused = RunJob(dir, other);
  EXPECT_EQ(refused.status, 8) << refused.err;
  EXPECT_NE(refused.err.find("belongs to the job CustBankXml"), std::string::npos) << refused.err;
  EXPECT_FALSE(fs::exists(base / "SourceCollection/INTCALC.cbl"));
  EXPECT_NE(dir.Read("out/.korvane.job").find("ProjectName=CustBankXml"), std::string::npos);

  const ProgramResult taken = RunJob(dir, other, {}, {}, true, {"-TakeOver"});
  EXPECT_NE(taken.status, 8) << taken.err;
  EXPECT_NE(dir.Read("out/.korvane.job").find("ProjectName=OtherBankXml"), std::string::npos);
}

}  // namespace
}  // namespace korvane
