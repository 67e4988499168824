#include "stelmar/core/scan_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace stelmar {
namespace {

std::vector<std::string> Names(const std::string& text, ScanRule rule) {
  FileParse parse;
  parse.OpenText(text);
  std::vector<std::string> names;
  Scan(parse, rule, [&names](const std::string& name) { names.push_back(name); });
  return names;
}

struct Case {
  std::string text;
  std::vector<std::string> expected;
};

TEST(ScanRules, FileDeclarations) {
  const std::vector<Case> cases = {
      {"DCL INFILE FILE RECORD INPUT;", {"INFILE"}},
      {"OPEN FILE(INFILE) INPUT;\nREAD FILE(INFILE) INTO(REC);", {}},
      {"WRITE FILE(O); REWRITE FILE(O); PUT FILE(P) SKIP; GET FILE(G) LIST(X);", {}},
      {"DCL (A, B) FILE;", {"DCL"}},
      {"CLOSE FILE(A), FILE(B);", {","}},
      {"DCL (A) /* files */ FILE;", {"DCL"}},
      {"DCL OUT /* x */ FILE;", {"OUT"}},
      {"dcl low file;", {}},
      {"DCL A FILE; DCL A FILE;", {"A", "A"}},
      {"/* DCL C FILE; */ DCL D FILE;", {"D"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Names(c.text, ScanRule::kFiles), c.expected) << c.text;
}

TEST(ScanRules, Procedures) {
  const std::vector<Case> cases = {
      {"MAIN: PROC OPTIONS(MAIN);\nSUB1: PROCEDURE;", {"MAIN", "SUB1"}},
      {"SUB1 /* entry */ : PROC;", {"SUB1"}},
      {"sub1: proc;", {}},
      {"/* X: PROC; */ Y: PROC;", {"Y"}},
      {"/* a /* b */ Z: PROC */ W: PROC;", {"W"}},
      {"* Q: PROC;\nR: PROC;", {"R"}},
      {"CALL PROC; S : PROCEDURE;", {"S"}},
      {"/* never closed\nT: PROC;", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Names(c.text, ScanRule::kProcedures), c.expected) << c.text;
}

TEST(ScanRules, MissingFileGivesNoNames) {
  EXPECT_TRUE(ScanFile("/nonexistent/stelmar/prog.pli", ScanRule::kFiles).empty());
}

}  // namespace
}  // namespace stelmar
