// How a windowless run of the sample job ends, row by row through the real program, some
// ended by a signal: its exit status, the lines that say why, and a run report that the
// documented schema accepts and that agrees with the status and with the files on disk.
// A shell killed during a run is opened again. The rows are in
// tests/data/e2e/sample_runs.txt; which words each rule uses is the core's own test.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "e2e/sample_job.h"
#include "support/table_rows.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing::MakeSampleJob;
using testing::ProgramResult;
using testing::ReplaceAll;
using testing::Row;
using testing::RunJob;
using testing::RunProgram;
using testing::SampleResults;
using testing::Split;
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

// A file named from the base folder, which need not exist on the way ("../job").
std::string Read(const fs::path& base, const std::string& path) {
  std::ifstream in((base / path).lexically_normal(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = 0; (at = text.find(part, at)) != std::string::npos; ++at) ++count;
  return count;
}

// Sends a signal to the shell once a file shows up (the run is under way by then).
class SignalWhen {
 public:
  SignalWhen(fs::path file, int signal) : file_(std::move(file)), signal_(signal) {}
  ~SignalWhen() {
    if (thread_.joinable()) thread_.join();
  }
  void operator()(long pid) {
    thread_ = std::thread([this, pid] {
      testing::WaitForFile(file_);
      sent_ = kill(static_cast<pid_t>(pid), signal_) == 0;
    });
  }
  bool Sent() {
    if (thread_.joinable()) thread_.join();
    return sent_;
  }

 private:
  fs::path file_;
  int signal_;
  bool sent_ = false;
  std::thread thread_;
};

// Sets the run up as the row's set-up lines say; the other lines are left for the checks.
void Prepare(const TempDir& dir, const std::string& job, const Row& row,
             std::map<std::string, std::string>& env, std::vector<std::string>& args) {
  const fs::path base = dir.Path() / kBase;
  for (const auto& [key, rest] : row.lines) {
    const auto [path, text] = Split(rest);
    if (key == "env") {
      const auto [name, value] = Split(rest, "=");
      env[name] = value;
    } else if (key == "arg") {
      args.push_back(rest);
    } else if (key == "remove") {
      fs::remove_all((base / path).lexically_normal());
    } else if (key == "mkdir") {
      fs::create_directories(base / path);
    } else if (key == "write") {
      std::ofstream(base / path, std::ios::binary) << text;
    } else if (key == "replace") {
      const auto [from, to] = Split(text, "=>");
      std::string bytes = Read(base, path);
      ASSERT_NE(bytes.find(from), std::string::npos) << from;
      bytes.replace(bytes.find(from), from.size(), to);
      std::ofstream(base / path, std::ios::binary) << bytes;
    } else if (key == "first-run") {
      ASSERT_EQ(RunJob(dir, job).status, 0);
      // File times have a coarse grain: the next run must start visibly later.
      const auto earlier = fs::file_time_type::clock::now() - std::chrono::minutes(5);
      for (const auto& entry : fs::recursive_directory_iterator(base))
        fs::last_write_time(entry.path(), earlier);
    }
  }
}

// What every report must agree with, whatever the row.
void CheckReport(const TempDir& dir, const std::string& job, int status,
                 const ProgramResult& result, const json& report) {
  EXPECT_EQ(report["exitStatus"], status);
  EXPECT_EQ(report["jobFile"], job);
  if (status == 0) {
    EXPECT_TRUE(report["why"].is_null());
  } else {
    EXPECT_FALSE(report["why"].get<std::string>().empty());
    EXPECT_NE(result.err.find(report["why"].get<std::string>()), std::string::npos)
        << report["why"];
  }
  if (report["run"].is_null()) return;
  EXPECT_EQ(report["product"]["language"], "COB");
  EXPECT_EQ(report["run"]["multiEntity"], true);
  size_t sources = 0;
  for (const auto& entry : fs::directory_iterator(dir.Path() / kBase / "SourceCollection"))
    sources += entry.path().extension() == ".cbl" ? 1 : 0;
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
  if (status == 0) {
    const json& results = report["results"];
    EXPECT_GT(results["renamed"].get<int>(), 0);
    EXPECT_EQ(results["renamed"], results["written"]);
    EXPECT_EQ(resultFiles, results["written"].get<size_t>());
  }
}

TEST(SampleRuns, EachWayARunEndsHasItsStatusReasonAndReport) {
  const std::vector<Row> rows = testing::ReadRows("e2e/sample_runs.txt");
  ASSERT_GE(rows.size(), 14u);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempDir dir;
    const std::string job = MakeSampleJob(dir, kBase);
    const fs::path base = dir.Path() / kBase;
    std::map<std::string, std::string> env;
    std::vector<std::string> args{"-Report", dir / "report.json"};
    Prepare(dir, job, row, env, args);
    std::map<std::string, std::string> before;
    std::optional<SignalWhen> signal;
    for (const auto& [key, rest] : row.lines) {
      if (key == "unchanged") before[rest] = Read(base, rest);
      if (key == "signal") signal.emplace(base / Split(rest).second, std::stoi(rest));
    }
    const auto started = [&](long pid) {
      if (signal) (*signal)(pid);
    };
    const ProgramResult result = RunJob(dir, job, env, started, true, args);
    if (signal) {
      ASSERT_TRUE(signal->Sent());
    }
    ASSERT_TRUE(fs::exists(dir / "report.json"));
    ASSERT_EQ(SchemaProblems(dir / "report.json"), "");
    const json report = json::parse(dir.Read("report.json"));
    // Whatever the end, what did come back has its name, and the job is not running.
    EXPECT_FALSE(fs::exists(base / "WrapOut/SRC0001.xml"));
    if (fs::exists(job)) {
      EXPECT_NE(dir.Read("CustBankXml.jwrap").find("BatchRunning=N"), std::string::npos);
    }
    int status = -2;
    for (auto [key, rest] : row.lines) {
      ReplaceAll(rest, "{base}", base.string());
      const auto [path, text] = Split(rest);
      if (key == "status") {
        status = std::stoi(rest);
        EXPECT_EQ(result.status, status) << result.err.substr(0, 4000);
      } else if (key == "outcome") {
        const std::string outcome = report["run"]["outcome"].get<std::string>();
        EXPECT_NE((" " + rest + " ").find(" " + outcome + " "), std::string::npos) << outcome;
      } else if (key == "said") {
        EXPECT_NE(result.err.find(rest), std::string::npos) << rest << "\n" << result.err;
      } else if (key == "unsaid") {
        EXPECT_EQ(result.err.find(rest), std::string::npos) << rest << "\n" << result.err;
      } else if (key == "out") {
        EXPECT_NE(result.out.find(rest), std::string::npos) << rest;
      } else if (key == "results") {
        EXPECT_EQ(SampleResults(base.string()), std::stoi(rest));
      } else if (key == "fewer-results") {
        EXPECT_LT(SampleResults(base.string()), std::stoi(rest));
      } else if (key == "holds") {
        EXPECT_NE(Read(base, path).find(text), std::string::npos) << rest;
      } else if (key == "exists" || key == "missing") {
        EXPECT_EQ(fs::exists(base / rest), key == "exists") << rest;
      } else if (key == "count") {
        const auto [number, part] = Split(text);
        const std::string& all = path == "-" ? result.out : Read(base, path);
        EXPECT_EQ(Count(all, part), std::stoul(number)) << rest;
      } else if (key == "unchanged") {
        EXPECT_EQ(Read(base, rest), before[rest]) << rest;
      } else if (key == "report") {
        EXPECT_EQ(report.at(json::json_pointer(path)), json::parse(text)) << rest;
      } else if (key == "why") {
        EXPECT_NE(report["why"].get<std::string>().find(rest), std::string::npos) << rest;
      }
    }
    CheckReport(dir, job, status, result, report);
  }
}

TEST(SampleRuns, AShellKilledDuringARunReconcilesWhenTheJobIsOpenedAgain) {
  TempDir dir;
  const std::string job = MakeSampleJob(dir, "out");
  const fs::path base = dir.Path() / "out";
  SignalWhen killer(base / "WrapOut/SRC0001.xml", SIGKILL);
  const auto killed =
      RunJob(dir, job, {{"KORVANE_STANDIN_DELAY_MS", "300"}}, [&](long pid) { killer(pid); });
  ASSERT_TRUE(killer.Sent());
  EXPECT_EQ(killed.status, -1);
  ASSERT_NE(dir.Read("CustBankXml.jwrap").find("BatchRunning=Y"), std::string::npos)
      << dir.Read("CustBankXml.jwrap") << killed.err;
  // Whatever the tools still do once their shell is gone, let them end.
  std::this_thread::sleep_for(std::chrono::seconds(2));

  const auto reopened = RunJob(dir, job, {}, {}, /*autoRun=*/false);
  EXPECT_EQ(reopened.status, 0) << reopened.err;
  // This product counts sources, not modules: both module counts are 0, so the run counts
  // as finished.
  EXPECT_NE(reopened.err.find("Your batch process seems to have finished in the mean time."),
            std::string::npos)
      << reopened.err;
  // The results that arrived got their names; the job no longer counts as running. (The
  // other ways a reconcile goes: ProjectBatch.AJobOpenedWhileItsBatchRanIsReconciled.)
  EXPECT_TRUE(fs::exists(base / "WrapOut/ACCTUPD.xml"));
  EXPECT_FALSE(fs::exists(base / "WrapOut/SRC0001.xml"));
  EXPECT_NE(dir.Read("CustBankXml.jwrap").find("BatchRunning=N"), std::string::npos);
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
