#include "stelmar/core/scan_rules.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "stelmar/core/headless_scan.h"
#include "support/inner_case_table.h"
#include "support/temp_dir.h"

namespace stelmar {
namespace {

using korvane::testing::Fields;

TEST(ScanRules, FilesAndProcedures) {
  korvane::testing::ExpectCaseTable("stelmar/scan_rules.txt", [](const Fields& in) {
    FileParse parse;
    parse.OpenText(in[1]);
    Fields names;
    Scan(parse, in[0] == "files" ? ScanRule::kFiles : ScanRule::kProcedures,
         [&names](const std::string& name) { names.push_back(name); });
    return names;
  });
  EXPECT_TRUE(ScanFile("/nonexistent/stelmar/prog.pli", ScanRule::kFiles).empty());
}

// What the program prints for a scan without a window: a name or a token a line.
TEST(HeadlessScan, PrintsNamesAndTokens) {
  korvane::testing::TempDir dir;
  const std::string source = dir.Write(
      "prog.pli", "MAIN: PROC OPTIONS(MAIN);\r\n DCL IN FILE, OUT FILE;\n SUB: PROCEDURE;\n");
  const auto run = [&dir](ScanMode mode, const std::string& path) {
    std::FILE* out = std::fopen((dir / "out.txt").c_str(), "w+b");
    EXPECT_EQ(RunHeadlessScan(mode, path, out, stderr), 0);
    std::string text(static_cast<size_t>(std::ftell(out)), '\0');
    std::rewind(out);
    text.resize(std::fread(text.data(), 1, text.size(), out));
    std::fclose(out);
    return text;
  };
  EXPECT_EQ(run(ScanMode::kFiles, source), "IN\nOUT\n");
  EXPECT_EQ(run(ScanMode::kProcedures, source), "MAIN\nSUB\n");
  EXPECT_EQ(run(ScanMode::kTokens, dir.Write("t.pli", "X = 'A';")), "2\tX\n7\t=\n4\t'A'\n7\t;\n");
}

}  // namespace
}  // namespace stelmar
