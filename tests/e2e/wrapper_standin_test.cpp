// The stand-in wrapper tools on a base folder prepared by hand: what they read, write and
// log, and how they end. How they heed the semaphore and crash on request is shown by
// the cancel and crash rows of tests/data/e2e/sample_runs.txt.
#include <gtest/gtest.h>

#include <filesystem>

#include "korvane/core/common/text.h"
#include "korvane/core/prepare/job_parameters.h"
#include "korvane/core/prepare/wrapper_contract.h"
#include "support/golden.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

using testing::RunProgram;
using testing::TempDir;
namespace c = contract;

// A base directory prepared as the shell leaves it for two sources.
struct Prepared {
  Prepared() {
    JobParameterInput in;
    in.systemName = "ACCT";
    in.base = (dir.Path() / "").string();
    in.wrapRequested = true;
    in.sources = {{"B.cbl", "/src/B.cbl", true, "File"}, {"D.cobol", "/src/D.cobol", true, "Onl"}};
    dir.Write("last.xml", JoinLinesCrLf(BuildJobParameters(in).xml));
    dir.Write("Workinp/SRC0001.CBL", "a\r\ninsert*COPY X.\r\ninsert 01 A.\r\nb\r\n");
    dir.Write("Workinp/SRC0002.COB", "one line\r\n");
    dir.Write("Frames/SRC0001.LAB", "FIRST LABEL\r\nsecond\r\n");
    std::filesystem::create_directories(dir.Path() / "WrapOut");
  }
  testing::ProgramResult Run(const std::string& tool, const std::string& arg,
                             std::map<std::string, std::string> env = {}) {
    return RunProgram(std::string(KORVANE_TOOLROOT) + "/COBWrap/" + tool, {arg}, env,
                      dir.Path().string());
  }
  TempDir dir;
};

TEST(WrapperStandIn, ProcessesOneOrEveryEntityAsTheToolItWasStartedAs) {
  Prepared p;
  auto r = p.Run("Ardent", c::EntityArgument(1));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Orig Source File = B.cbl\r\n"), std::string::npos);
  testing::ExpectGolden("e2e/standin_entity.xml", p.dir.Read("WrapOut/SRC0001.xml"));
  EXPECT_FALSE(std::filesystem::exists(p.dir / "WrapOut/SRC0002.xml"));

  r = p.Run("COBWrap", "last.xml", {{"KORVANE_STANDIN_EXIT", "3"}, {"KORVANE_STANDIN_FLOOD", "2"}});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.out.rfind("COBWrap console line 1\r\nCOBWrap console line 2\r\n", 0), 0u);
  EXPECT_NE(r.out.find("Orig Source File = D.cobol"), std::string::npos);
  EXPECT_NE(p.dir.Read("WrapOut/SRC0002.xml").find("tool=\"COBWrap\""), std::string::npos);

  EXPECT_EQ(p.Run("Dalmer", "last.xml;0009").status, 2);
  EXPECT_EQ(p.Run("Dalmer", "other.xml").status, 2);
}

}  // namespace
}  // namespace korvane
