#include <gtest/gtest.h>

#include "support/run_program.h"
#include "support/temp_dir.h"

namespace stelmar {
namespace {

using korvane::testing::RunProgram;
using korvane::testing::TempDir;

// A source that cannot be read is a row of the exit status table.
TEST(HeadlessScan, PrintsNamesAndTokensWithoutADisplay) {
  TempDir dir;
  const std::string source = dir.Write(
      "prog.pli", "MAIN: PROC OPTIONS(MAIN);\r\n DCL IN FILE, OUT FILE;\n SUB: PROCEDURE;\n");

  auto files = RunProgram(STELMAR_BINARY, {"-files", source});
  EXPECT_EQ(files.status, 0);
  EXPECT_EQ(files.out, "IN\nOUT\n");
  EXPECT_EQ(files.err, "");

  auto procs = RunProgram(STELMAR_BINARY, {"-procs", source});
  EXPECT_EQ(procs.status, 0);
  EXPECT_EQ(procs.out, "MAIN\nSUB\n");

  auto tokens = RunProgram(STELMAR_BINARY, {"-tokens", dir.Write("t.pli", "X = 'A';")});
  EXPECT_EQ(tokens.status, 0);
  EXPECT_EQ(tokens.out, "2\tX\n7\t=\n4\t'A'\n7\t;\n");

  // No display is needed for a scan.
  auto headless =
      RunProgram(STELMAR_BINARY, {"-procs", source}, {{"DISPLAY", ""}, {"QT_QPA_PLATFORM", "xcb"}});
  EXPECT_EQ(headless.status, 0);
  EXPECT_EQ(headless.out, "MAIN\nSUB\n");
}

}  // namespace
}  // namespace stelmar
