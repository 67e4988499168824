// What a windowless run says about sources it cannot use: each is named on standard error,
// with the folder it was looked for in, and a run that cannot start says why.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "e2e/sample_job.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::MakeSampleJob;
using testing::RunJob;
using testing::TempDir;

TEST(SourceMessages, AVanishedCopyIsNamedAndTheRunGoesOnWithoutIt) {
  TempDir dir;
  const std::string job = MakeSampleJob(dir, "out");
  const std::string base = dir / "out";
  fs::remove(base + "/SourceCollection/CUSTRPT.cbl");
  const auto result = RunJob(dir, job);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.err.find("Warning: The source CUSTRPT.cbl is dropped from the job: its copy "
                            "in " +
                            base + "/SourceCollection is gone\n"),
            std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("this run wrote 3 results"), std::string::npos) << result.err;
}

TEST(SourceMessages, AMissingBaseFolderIsNamedWhenTheRunIsRefused) {
  TempDir dir;
  const std::string job = MakeSampleJob(dir, "out");
  const std::string base = dir / "out";
  fs::remove_all(base);
  const auto result = RunJob(dir, job);
  EXPECT_EQ(result.status, 5) << result.err;
  EXPECT_NE(result.err.find("Warning: The job's base folder " + base + " does not exist"),
            std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("Error: Output directory error - Directory doesn't exist: the job's "
                            "base folder " +
                            base + " was missing when the job was opened"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(result.err.find("No files are selected"), std::string::npos) << result.err;
  // The job keeps its sources for when the folder is back.
  EXPECT_NE(dir.Read("CustBankXml.jwrap").find("YYCUSTRPT.cbl="), std::string::npos);
}

}  // namespace
}  // namespace korvane
