#include "stelmar/core/job_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/golden.h"
#include "support/temp_dir.h"

namespace stelmar {
namespace {

using korvane::testing::ExpectGolden;
using korvane::testing::TempDir;

TEST(JobFile, SectionsHoldTheSettingsInTheirOrder) {
  Settings s;
  s.INPUT_DIR = "/in";
  s.OUTPUT_DIR = "/out";
  s.WORK_DIR = "/work";
  s.COPY_DIR[1] = "/copy2";
  s.PROGFILE = "/out/prog.pli";
  s.PROGNAME = "prog";
  s.TYPE = "CICS";
  s.EDITOR = "/opt/lumbra";
  ExpectGolden("stelmar/job_sections.txt", JobParameterSections(s));
}

TEST(JobFile, IncludeListUpperCasesTheFirstTwelveCharacters) {
  EXPECT_EQ(IncludeList({"a.pli", "b.pli"}), "A.PLI\r\nB.PLI\r\nEOF\r\n");
  EXPECT_EQ(IncludeList({"verylongname.pli"}), "VERYLONGNAME.pli\r\nEOF\r\n");
  EXPECT_EQ(IncludeList({}), "EOF\r\n");
}

TEST(JobFile, CreatesEmptiesAppendsAndRefusesLinks) {
  TempDir dir;
  const std::string path = dir / "9537";
  dir.Write("9537", "old");
  ASSERT_TRUE(CreateEmptyJobFile(path));
  EXPECT_EQ(dir.Read("9537"), "");

  Settings s;
  ASSERT_TRUE(WriteJobFile(path, IncludeList({"x"})));
  ASSERT_TRUE(WriteJobParameters(path, s));
  EXPECT_EQ(dir.Read("9537"), "X\r\nEOF\r\n" + JobParameterSections(s));

  dir.Write("target", "keep");
  std::filesystem::create_symlink(dir / "target", dir / "link");
  EXPECT_FALSE(CreateEmptyJobFile(dir / "link"));
  EXPECT_EQ(dir.Read("target"), "keep");
  EXPECT_FALSE(CreateEmptyJobFile(dir / "missing/1234"));
}

}  // namespace
}  // namespace stelmar
