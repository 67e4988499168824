// How a windowless run of the sample job ends, row by row through the real program: its
// exit status, the lines on standard error that say why, and a run report that the
// documented schema accepts and that agrees with the status and with the files on disk.
// Which words each rule uses is the core's own test; these rows hold what only the whole
// program shows.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "e2e/sample_job.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing::MakeSampleJob;
using testing::ProgramResult;
using testing::RunJob;
using testing::RunProgram;
using testing::SampleResults;
using testing::TempDir;

// Blanks and shell characters: the base folder reaches the tools as one argument, never
// through a shell.
const std::string kBase = "out dir;$(x)&";

// The schema validator's verdict on a report file: empty when it is valid.
std::string SchemaProblems(const std::string& reportPath) {
  const ProgramResult check =
      RunProgram(KORVANE_PYTHON3, {"-m", "jsonschema", "-i", reportPath, KORVANE_REPORT_SCHEMA});
  return check.status == 0
             ? std::string()
             : "status " + std::to_string(check.status) + ": " + check.err + check.out;
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = 0; (at = text.find(part, at)) != std::string::npos; ++at) ++count;
  return count;
}

struct Row {
  const char* name;
  std::map<std::string, std::string> env;
  std::function<void(const TempDir& dir, const fs::path& base, const std::string& job)> before;
  std::vector<std::string> args;  // after the job
  int status;
  // On standard error, "{base}" standing for the base folder; a leading "!": never said.
  std::vector<std::string> said;
  const char* outcomes;  // the report's run outcome is one of these words
  std::function<void(const TempDir& dir, const ProgramResult& result, const json& report)> after;
};

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = {
      {"ended well",
       {},
       nullptr,
       {},
       0,
       {"Analysis completed, processing finished: this run wrote 4 results, 4 renamed back",
        "!korvane: exit status"},
       "succeeded",
       [](const TempDir& dir, const ProgramResult& result, const json&) {
         EXPECT_EQ(SampleResults(dir / kBase), 4);
         // Every tool wrote its line to the product log, and the captured console was kept.
         EXPECT_NE(dir.Read(kBase + "/bank.log").find("Dalmer SRC0002 CUSTINQ.cbl"),
                   std::string::npos);
         EXPECT_NE(dir.Read(kBase + "/Console.log").find("Orig Source File = INTCALC.cbl"),
                   std::string::npos);
         EXPECT_NE(result.out.find("Preparation report: 4 sources"), std::string::npos);
       }},
      {"a tool waits for Enter",
       {{"KORVANE_STANDIN_WAIT_ENTER", "1"}},
       nullptr,
       {},
       0,
       {},
       "succeeded",
       [](const TempDir& dir, const ProgramResult&, const json&) {
         EXPECT_EQ(SampleResults(dir / kBase), 4);
       }},
      // Four tool starts of 250,000 lines each: all reach Console.log and standard output.
      {"a million console lines",
       {{"KORVANE_STANDIN_FLOOD", "250000"}},
       nullptr,
       {},
       0,
       {},
       "succeeded",
       [](const TempDir& dir, const ProgramResult& result, const json&) {
         const std::string log = dir.Read(kBase + "/Console.log");
         EXPECT_EQ(Count(log, " console line "), 1000000u);
         EXPECT_NE(log.find("Belmont console line 250000\r\n"), std::string::npos);
         EXPECT_EQ(Count(result.out, " console line "), 1000000u);
         EXPECT_EQ(SampleResults(dir / kBase), 4);
       }},
      {"a tool failed",
       {{"KORVANE_STANDIN_EXIT", "5"}},
       nullptr,
       {},
       1,
       {"Error: The tool lastbatch.cmd ended with exit status 5: analysis incomplete, this run "
        "wrote ",
        "korvane: exit status 1: the tool lastbatch.cmd ended with exit status 5",
        "!Analysis completed"},
       "failed",
       nullptr},
      // Through the batch runner a crash arrives as a signal or as the runner's status.
      {"a tool crashed",
       {{"KORVANE_STANDIN_CRASH", "1"}},
       nullptr,
       {},
       1,
       {"Error: The tool lastbatch.cmd ended with exit status ", "!Analysis completed"},
       "failed signalled",
       [](const TempDir&, const ProgramResult&, const json& report) {
         EXPECT_EQ(report["results"]["written"], 0);
       }},
      {"a tool wrote nothing",
       {{"KORVANE_STANDIN_NO_RESULT", "1"}},
       nullptr,
       {},
       1,
       {"korvane: exit status 1: the tools ended with status 0 but wrote no results"},
       "succeeded failed",
       nullptr},
      // The good run's results stay, and its product log is not shown as the crashed run's.
      {"a crash after a good run",
       {{"KORVANE_STANDIN_CRASH", "1"}},
       [](const TempDir& dir, const fs::path& base, const std::string& job) {
         ASSERT_EQ(RunJob(dir, job).status, 0);
         fs::copy_file(base / "WrapOut/CUSTRPT.xml", dir.Path() / "CUSTRPT.xml");
         // File times have a coarse grain: the next run must start visibly later.
         const auto earlier = fs::file_time_type::clock::now() - std::chrono::minutes(5);
         for (const auto& entry : fs::recursive_directory_iterator(base)) {
           fs::last_write_time(entry.path(), earlier);
         }
       },
       {},
       1,
       {"analysis incomplete, this run wrote no results", "The product log was not opened: "},
       "failed signalled",
       [](const TempDir& dir, const ProgramResult&, const json&) {
         EXPECT_EQ(dir.Read(kBase + "/WrapOut/CUSTRPT.xml"), dir.Read("CUSTRPT.xml"));
       }},
      {"a result's name is blocked",
       {},
       [](const TempDir&, const fs::path& base, const std::string&) {
         fs::create_directories(base / "WrapOut/CUSTRPT.xml");
       },
       {},
       6,
       {"korvane: exit status 6: Cannot rename "},
       nullptr,
       nullptr},
      {"no source is there to run",
       {},
       [](const TempDir&, const fs::path& base, const std::string&) {
         fs::remove_all(base / "SourceCollection");
       },
       {},
       5,
       {"korvane: exit status 5: the run did not start"},
       nullptr,
       nullptr},
      {"a source's copy vanished",
       {},
       [](const TempDir&, const fs::path& base, const std::string&) {
         fs::remove(base / "SourceCollection/CUSTRPT.cbl");
       },
       {},
       0,
       {"Warning: The source CUSTRPT.cbl is dropped from the job: its copy in "
        "{base}/SourceCollection is gone\n",
        "this run wrote 3 results"},
       "succeeded",
       nullptr},
      // The job keeps its sources for when the folder is back.
      {"the base folder is missing",
       {},
       [](const TempDir&, const fs::path& base, const std::string&) { fs::remove_all(base); },
       {},
       5,
       {"Warning: The job's base folder {base} does not exist",
        "Error: Output directory error - Directory doesn't exist: the job's base folder {base} "
        "was missing when the job was opened",
        "!No files are selected"},
       nullptr,
       [](const TempDir& dir, const ProgramResult&, const json&) {
         EXPECT_NE(dir.Read("CustBankXml.jwrap").find("YYCUSTRPT.cbl="), std::string::npos);
       }},
      // Its copy is the person's source: it stays until they rename it.
      {"a source's name holds an equals sign",
       {},
       [](const TempDir& dir, const fs::path& base, const std::string&) {
         std::string text = dir.Read("CustBankXml.jwrap");
         const std::string list = "CheckListBoxSelectedFiles=CheckListBoxSelectedFiles\r\n";
         ASSERT_NE(text.find(list), std::string::npos);
         text.insert(text.find(list) + list.size(), "YYPAY=2.cbl=/elsewhere/PAY=2.cbl\r\n");
         dir.Write("CustBankXml.jwrap", text);
         std::ofstream(base / "SourceCollection/PAY=2.cbl")
             << "       IDENTIFICATION DIVISION.\r\n";
       },
       {},
       5,
       {"Error: The source PAY=2.cbl cannot be kept in the job: its name holds \"=\"",
        "Some of your files are not defined"},
       nullptr,
       [](const TempDir& dir, const ProgramResult&, const json&) {
         EXPECT_TRUE(fs::exists(dir.Path() / kBase / "SourceCollection/PAY=2.cbl"));
       }},
      // Cut short before or without its tools, a run still reports what is known.
      {"the job file is missing",
       {},
       [](const TempDir&, const fs::path&, const std::string& job) { fs::remove(job); },
       {},
       4,
       {},
       nullptr,
       [](const TempDir&, const ProgramResult&, const json& report) {
         EXPECT_TRUE(report["run"].is_null());
         EXPECT_TRUE(report["entities"].empty());
       }},
      {"a mistyped command line",
       {},
       nullptr,
       {"-Bogus"},
       3,
       {"-Bogus"},
       nullptr,
       [](const TempDir&, const ProgramResult&, const json& report) {
         EXPECT_NE(report["why"].get<std::string>().find("-Bogus"), std::string::npos);
       }},
  };
  return rows;
}

// What every report must agree with, whatever the row.
void CheckReport(const TempDir& dir, const std::string& job, const Row& row,
                 const ProgramResult& result, const json& report) {
  EXPECT_EQ(report["exitStatus"], row.status);
  EXPECT_EQ(report["jobFile"], job);
  if (row.status == 0) {
    EXPECT_TRUE(report["why"].is_null());
  } else {
    EXPECT_NE(result.err.find(report["why"].get<std::string>()), std::string::npos)
        << report["why"];
  }
  if (row.outcomes != nullptr) {
    const std::string outcome = report["run"]["outcome"].get<std::string>();
    EXPECT_NE((std::string(" ") + row.outcomes + " ").find(" " + outcome + " "), std::string::npos)
        << outcome;
  }
  if (report["run"].is_null()) return;
  EXPECT_EQ(report["product"]["language"], "COB");
  EXPECT_EQ(report["run"]["multiEntity"], true);
  const fs::path collection = dir.Path() / kBase / "SourceCollection";
  size_t sources = 0;
  for (const auto& entry : fs::directory_iterator(collection)) {
    sources += entry.path().extension() == ".cbl" ? 1 : 0;
  }
  const json& entities = report["entities"];
  EXPECT_EQ(entities.size(), sources);
  size_t resultFiles = 0;
  for (const json& entity : entities) {
    // One batch runner ran them all: the status is the run's, not the entity's.
    EXPECT_TRUE(entity["exitStatus"].is_null());
    EXPECT_FALSE(entity["commands"].empty()) << entity;
    for (const json& file : entity["results"]) {
      EXPECT_TRUE(fs::is_regular_file(dir.Path() / kBase / file.get<std::string>())) << file;
      ++resultFiles;
    }
  }
  const json& results = report["results"];
  if (row.status == 0) {
    EXPECT_GT(results["renamed"].get<int>(), 0);
    EXPECT_EQ(results["renamed"], results["written"]);
    EXPECT_EQ(resultFiles, results["written"].get<size_t>());
  }
}

TEST(SampleRuns, EachWayARunEndsHasItsStatusReasonAndReport) {
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.name);
    TempDir dir;
    const std::string job = MakeSampleJob(dir, kBase);
    const fs::path base = dir.Path() / kBase;
    if (row.before) row.before(dir, base, job);
    std::vector<std::string> args{"-Report", dir / "report.json"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const ProgramResult result = RunJob(dir, job, row.env, {}, true, args);
    EXPECT_EQ(result.status, row.status) << result.err.substr(0, 4000);
    for (std::string line : row.said) {
      for (size_t at; (at = line.find("{base}")) != std::string::npos;)
        line.replace(at, 6, base.string());
      if (line[0] == '!') {
        EXPECT_EQ(result.err.find(line.substr(1)), std::string::npos) << result.err;
      } else {
        EXPECT_NE(result.err.find(line), std::string::npos) << line << "\n" << result.err;
      }
    }
    // Whatever the end, what did come back has its name, and the job is not running.
    EXPECT_FALSE(fs::exists(base / "WrapOut/SRC0001.xml"));
    if (fs::exists(job)) {
      EXPECT_NE(dir.Read("CustBankXml.jwrap").find("BatchRunning=N"), std::string::npos);
    }
    ASSERT_TRUE(fs::exists(dir / "report.json"));
    ASSERT_EQ(SchemaProblems(dir / "report.json"), "");
    const json report = json::parse(dir.Read("report.json"));
    CheckReport(dir, job, row, result, report);
    if (row.after) row.after(dir, result, report);
  }
}

// The validator must be able to say no, or the checks above prove nothing.
TEST(SampleRuns, TheSchemaRefusesAReportWithoutItsEntities) {
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
