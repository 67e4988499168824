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

TEST(SourceMessages, ASourceNameWithAnEqualsSignIsNamedWhenTheRunIsRefused) {
  TempDir dir;
  std::string job = MakeSampleJob(dir, "out");
  std::string text = dir.Read("CustBankXml.jwrap");
  const std::string list = "CheckListBoxSelectedFiles=CheckListBoxSelectedFiles\r\n";
  const size_t at = text.find(list);
  ASSERT_NE(at, std::string::npos);
  text.insert(at + list.size(), "YYPAY=2.cbl=/elsewhere/PAY=2.cbl\r\n");
  job = dir.Write("CustBankXml.jwrap", text);
  dir.Write("out/SourceCollection/PAY=2.cbl", "       IDENTIFICATION DIVISION.\r\n");
  const auto result = RunJob(dir, job);
  EXPECT_EQ(result.status, 5) << result.err;
  EXPECT_NE(result.err.find("Error: The source PAY=2.cbl cannot be kept in the job: its name "
                            "holds \"=\""),
            std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("Some of your files are not defined"), std::string::npos) << result.err;
  // Its copy is the person's source: it stays until they rename it.
  EXPECT_TRUE(fs::exists(dir / "out/SourceCollection/PAY=2.cbl"));
}

}  // namespace
}  // namespace korvane
