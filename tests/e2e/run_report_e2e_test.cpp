// The run report of a windowless run, through the real program: however the run ends,
// the report is there, the documented schema accepts it, and it agrees with the exit
// status and with the files on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "e2e/sample_job.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing::MakeSampleJob;
using testing::ProgramResult;
using testing::RunJob;
using testing::RunProgram;
using testing::TempDir;

// The schema validator's verdict on a report file: empty when it is valid.
std::string SchemaProblems(const std::string& reportPath) {
  const ProgramResult check =
      RunProgram(KORVANE_PYTHON3, {"-m", "jsonschema", "-i", reportPath, KORVANE_REPORT_SCHEMA});
  return check.status == 0
             ? std::string()
             : "status " + std::to_string(check.status) + ": " + check.err + check.out;
}

json ValidReport(const TempDir& dir, const std::string& name) {
  const std::string path = dir / name;
  EXPECT_TRUE(fs::exists(path)) << "no report " << path;
  if (!fs::exists(path)) return json::object();
  EXPECT_EQ(SchemaProblems(path), "");
  return json::parse(dir.Read(name));
}

size_t SampleSources(const TempDir& dir) {
  size_t count = 0;
  for (const auto& entry : fs::directory_iterator(dir.Path() / "out/SourceCollection")) {
    count += entry.path().extension() == ".cbl" ? 1 : 0;
  }
  return count;
}

TEST(RunReport, EveryEndOfARunLeavesAValidReportThatAgreesWithTheStatus) {
  const struct {
    const char* name;
    std::map<std::string, std::string> env;
    int status;
    std::set<std::string> outcomes;
  } rows[] = {
      {"ended well", {}, 0, {"succeeded"}},
      {"a tool failed", {{"KORVANE_STANDIN_EXIT", "5"}}, 1, {"failed"}},
      // The batch runner may pass the crash on as a signal or as its own failure.
      {"a tool crashed", {{"KORVANE_STANDIN_CRASH", "1"}}, 1, {"failed", "signalled"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempDir dir;
    const std::string job = MakeSampleJob(dir, "out");
    const ProgramResult result = RunJob(dir, job, row.env, {}, true, {"-Report", dir / "r.json"});
    ASSERT_EQ(result.status, row.status) << result.err;
    const json report = ValidReport(dir, "r.json");
    if (report.empty()) continue;
    EXPECT_EQ(report["exitStatus"], row.status);
    EXPECT_EQ(report["jobFile"], job);
    EXPECT_EQ(report["product"]["language"], "COB");
    EXPECT_EQ(report["run"]["multiEntity"], true);
    EXPECT_TRUE(row.outcomes.count(report["run"]["outcome"].get<std::string>()))
        << report["run"]["outcome"];
    const json& entities = report["entities"];
    ASSERT_EQ(entities.size(), SampleSources(dir));
    size_t resultFiles = 0;
    for (const json& entity : entities) {
      // One batch runner ran them all: the status is the run's, not the entity's.
      EXPECT_TRUE(entity["exitStatus"].is_null());
      EXPECT_FALSE(entity["commands"].empty()) << entity;
      for (const json& file : entity["results"]) {
        EXPECT_TRUE(fs::is_regular_file(dir.Path() / "out" / file.get<std::string>())) << file;
        ++resultFiles;
      }
    }
    const json& results = report["results"];
    if (row.status == 0) {
      EXPECT_TRUE(report["why"].is_null());
      EXPECT_GT(results["renamed"].get<int>(), 0);
      EXPECT_EQ(results["renamed"], results["written"]);
      EXPECT_EQ(resultFiles, results["written"].get<size_t>());
      EXPECT_EQ(entities[0]["results"].size(), entities.back()["results"].size());
    } else {
      EXPECT_NE(result.err.find(report["why"].get<std::string>()), std::string::npos)
          << report["why"] << "\n"
          << result.err;
    }
    if (row.env.count("KORVANE_STANDIN_CRASH")) EXPECT_EQ(results["written"], 0);
  }
}

// A run that is cut short before or without its tools still reports what is known.
TEST(RunReport, AJobThatDoesNotLoadOrAMistypedCommandLineStillReports) {
  TempDir dir;
  const std::string job = MakeSampleJob(dir, "out");
  fs::remove(job);
  ProgramResult result = RunJob(dir, job, {}, {}, true, {"-Report", dir / "missing.json"});
  EXPECT_EQ(result.status, 4) << result.err;
  json report = ValidReport(dir, "missing.json");
  EXPECT_EQ(report["exitStatus"], 4);
  EXPECT_EQ(report["jobFile"], job);
  EXPECT_TRUE(report["run"].is_null());
  EXPECT_TRUE(report["entities"].empty());

  result = RunJob(dir, job, {}, {}, true, {"-Report", dir / "usage.json", "-Bogus"});
  EXPECT_EQ(result.status, 3) << result.err;
  report = ValidReport(dir, "usage.json");
  EXPECT_EQ(report["exitStatus"], 3);
  EXPECT_NE(report["why"].get<std::string>().find("-Bogus"), std::string::npos);
}

// The validator must be able to say no, or the checks above prove nothing.
TEST(RunReport, TheSchemaRefusesAReportWithoutItsEntities) {
  TempDir dir;
  dir.Write("bad.json",
            R"({"schemaVersion": 1, "jobFile": null, "product": {"name": null, "language": null},)"
            R"( "toolRoot": null, "baseFolder": null, "started": "2026-01-01T00:00:00.000Z",)"
            R"( "ended": "2026-01-01T00:00:00.000Z", "exitStatus": 4, "exitMeaning": "x",)"
            R"( "why": "x", "run": null, "unresolvedCopies": [],)"
            R"( "results": {"written": 0, "renamed": 0, "renameFailures": []}})");
  EXPECT_NE(SchemaProblems(dir / "bad.json"), "");
}

}  // namespace
}  // namespace korvane
