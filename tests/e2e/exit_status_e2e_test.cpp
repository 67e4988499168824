// The exit status of a windowless run, row by row through the real program: only a run
// that ended well with every result back under its name is 0, and every other status
// comes with one line that says why.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "e2e/sample_job.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::MakeSampleJob;
using testing::RunJob;
using testing::TempDir;

TEST(ExitStatus, EachWayARunEndsHasItsOwnStatusAndReason) {
  const struct {
    const char* name;
    std::map<std::string, std::string> env;
    std::function<void(const fs::path& base)> before;
    int status;
    const char* line;  // the last line on standard error
  } rows[] = {
      {"ended well", {}, nullptr, 0, nullptr},
      {"a tool failed",
       {{"KORVANE_STANDIN_EXIT", "5"}},
       nullptr,
       1,
       "korvane: exit status 1: the tool lastbatch.cmd ended with exit status 5"},
      {"a tool wrote nothing",
       {{"KORVANE_STANDIN_NO_RESULT", "1"}},
       nullptr,
       1,
       "korvane: exit status 1: the tools ended with status 0 but wrote no results"},
      {"a result's name is blocked",
       {},
       [](const fs::path& base) { fs::create_directories(base / "WrapOut/CUSTRPT.xml"); },
       6,
       "korvane: exit status 6: Cannot rename "},
      {"no source is there to run",
       {},
       [](const fs::path& base) { fs::remove_all(base / "SourceCollection"); },
       5,
       "korvane: exit status 5: the run did not start"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempDir dir;
    const std::string job = MakeSampleJob(dir, "out");
    if (row.before) row.before(dir.Path() / "out");
    const auto result = RunJob(dir, job, row.env);
    EXPECT_EQ(result.status, row.status) << result.err;
    if (row.line == nullptr) {
      EXPECT_EQ(result.err.find("korvane: exit status"), std::string::npos) << result.err;
    } else {
      EXPECT_NE(result.err.find(row.line), std::string::npos) << result.err;
    }
  }
}

}  // namespace
}  // namespace korvane
