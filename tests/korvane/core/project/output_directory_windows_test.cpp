// The output directory's form on Windows: a drive letter and colon, "\" collapsed.
// (The POSIX form is tested in output_directory_test.cpp.)
#include <gtest/gtest.h>

#include "korvane/core/project/output_directory.h"

namespace korvane {
namespace {

TEST(OutputDirRulesWindows, ADriveLetterIsRequiredAndBackslashesCollapse) {
  EXPECT_TRUE(IsAbsoluteOutputDir("C:\\jobs\\cob"));
  EXPECT_TRUE(IsAbsoluteOutputDir("d:"));
  EXPECT_TRUE(IsAbsoluteOutputDir("Z:/jobs"));
  EXPECT_FALSE(IsAbsoluteOutputDir(""));
  EXPECT_FALSE(IsAbsoluteOutputDir("\\\\server\\share\\jobs"));  // UNC
  EXPECT_FALSE(IsAbsoluteOutputDir("jobs\\cob"));
  EXPECT_FALSE(IsAbsoluteOutputDir("\\jobs"));
  EXPECT_FALSE(IsAbsoluteOutputDir("/jobs"));
  EXPECT_FALSE(IsAbsoluteOutputDir("1:\\jobs"));
  EXPECT_EQ(NormaliseOutputDir("C:\\jobs\\\\cob\\\\\\a\\"), "C:\\jobs\\cob\\a");
  EXPECT_EQ(NormaliseOutputDir("C:\\"), "C:");
  EXPECT_EQ(WorkDirOf("C:\\jobs\\cob"), "C:\\jobs\\cob\\Work");
  EXPECT_EQ(WorkDirOf("C:\\"), "C:\\Work");
}

}  // namespace
}  // namespace korvane
