// A run session with the job and the window replaced by fakes: what it leaves on disk,
// what it shows and what its result says, for a captured run, a tool that cannot start
// and a cancelled run.
#include <gtest/gtest.h>

#include <fstream>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/run/run_session.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

struct FakeJob : RunJob {
  std::string base;
  bool multi = true;
  std::string wrapper;
  RunControl flags;
  Lines calls;
  RenameOutcome renamed{1, 1, {}};

  std::string WritableBase() override { return base; }
  std::string ProjectName() override { return "Payroll"; }
  std::string SystemName() const override { return "PAY"; }
  bool MultiEntity() const override { return multi; }
  bool WordListRequired() const override { return false; }
  bool ProductInstalled() const override { return true; }
  std::string InterfaceWrapper() const override { return wrapper; }
  Lines BatchLines() const override { return {}; }
  RunControl Flags() const override { return flags; }
  int Modules() const override { return 0; }
  int SourceFiles() const override { return 1; }
  int Entities() const override { return 1; }
  std::string SingleSource() const override { return {}; }
  void SetBatchRunning(bool running) override { calls.push_back(running ? "running" : "idle"); }
  void RecordRunStart() override { calls.push_back("record"); }
  void SetWrapRequested() override {}
  bool SynchronizeDirectories() override { return true; }
  bool AutoRun() const override { return false; }
  void FollowLogs(bool) override {}
  void SetRunStart(fs::file_time_type) override {}
  void PrepareInput(std::function<void()> then) override {
    calls.push_back("prepare");
    then();
  }
  RenameOutcome RenameResults() override {
    calls.push_back("rename");
    return renamed;
  }
  void DeleteCopiedInput() override { calls.push_back("delete"); }
  void EnableLogViews(bool) override {}
  void ViewProductLog() override { calls.push_back("product log"); }
  void ViewConsoleLog() override { calls.push_back("console log"); }
  void SaveAndClose() override { calls.push_back("save and close"); }
};

// The window's console as the form keeps it: its last 2000 lines.
struct FakeDisplay : RunDisplay {
  FakeDisplay() { console.SetLineLimit(2000); }
  std::string caption = "Korvane";
  Memo console{"console", "form"};
  bool progressVisible = false;

  std::string Caption() const override { return caption; }
  void SetCaption(const std::string& text) override { caption = text; }
  void ShowRunStarting() override { console.Clear(); }
  void ShowProgress(const RunProgress&) override {}
  void SetProgressVisible(bool visible) override { progressVisible = visible; }
  bool ConsoleShown() const override { return true; }
  void SetConsoleShown(bool) override {}
  void ClearConsole() override { console.Clear(); }
  void AppendConsole(const Lines& lines) override { console.AppendLines(lines); }
  Lines ConsoleLines() const override { return console.Lines(); }
};

struct NoDosBox : DosBoxSettings {
  std::string ConfiguredLocation() const override { return {}; }
  std::string ConfigurationFolder() const override { return {}; }
  void RememberLocation(const std::string&) override {}
};

class RunSessionTest : public ::testing::Test {
 protected:
  RunSessionTest() {
    job.base = dir.Path().string() + "/job/";
    fs::create_directories(job.base);
    installation.consoleStub = KORVANE_QUILLSTUB;
    installation.programDir = fs::path(KORVANE_BATCH_RUNNER).parent_path().string();
    job.flags.systemCaptureConsole = true;
  }

  // The batch file the session's tool runs: one line calling the test tool with steps.
  void Batch(const std::string& steps) {
    dir.Write("job/lastbatch.cmd",
              std::string("ECHO ON\r\n\"") + KORVANE_TEST_TOOL + "\" " + steps + "\r\n");
  }

  RunSession& Session() {
    session = std::make_unique<RunSession>(
        RunSessionContext{job, display, status, person, ui, installation, dosBox, reaper, nullptr});
    return *session;
  }

  bool Finish() {
    return ui.RunUntil([this] { return !session->Active(); }, std::chrono::seconds(30));
  }

  testing::TempDir dir;
  testing::ScriptedPerson person;
  StatusBar status{person};
  FakeJob job;
  FakeDisplay display;
  QueueDispatcher ui;
  Installation installation;
  NoDosBox dosBoxSettings;
  DosBoxMode dosBox{DosBoxEnvironment{}, dosBoxSettings, person, status};
  platform::Reaper reaper;
  std::unique_ptr<RunSession> session;
};

TEST_F(RunSessionTest, ACapturedRunKeepsEveryLineInItsLogAndTheWindowOnlyTheLast) {
  Batch("lines:3000:12");
  Session().Start(false);
  ASSERT_TRUE(Finish());

  const RunResult& result = session->Result();
  ASSERT_TRUE(result.end);
  EXPECT_EQ(result.end->kind, RunEnd::Kind::Succeeded);
  EXPECT_FALSE(result.cancelRequested);
  EXPECT_EQ(result.renamed.written, 1);
  EXPECT_TRUE(result.ended);
  // The log has the batch's echo lines and all 3000 of the tool's; the window the last 2000.
  std::ifstream log(job.base + "Console.log");
  Lines logged;
  for (std::string line; std::getline(log, line);) logged.push_back(line);
  ASSERT_GE(logged.size(), 3000u);
  ASSERT_EQ(display.console.Lines().size(), 2000u);
  EXPECT_EQ(display.console.Lines().back(), logged.back().substr(0, logged.back().find('\r')));
  EXPECT_FALSE(fs::exists(job.base + "Console.log.captured"));
  // Too long to be opened in the viewer; the steps ran in their order.
  EXPECT_EQ(job.calls,
            (Lines{"prepare", "running", "record", "idle", "rename", "delete", "product log"}));
  EXPECT_FALSE(display.progressVisible);
  EXPECT_EQ(status.Text().rfind("Analysis completed, processing finished: ", 0), 0u)
      << status.Text();
}

TEST_F(RunSessionTest, AToolThatCannotStartLeavesAResultWithoutAnEnd) {
  job.multi = false;
  job.flags.systemCaptureConsole = false;
  job.wrapper = dir.Path().string() + "/no such tool";
  EXPECT_THROW(Session().Start(false), OperationAbort);
  const RunResult& result = session->Result();
  EXPECT_FALSE(session->Active());
  EXPECT_FALSE(result.end);
  EXPECT_EQ(result.command.program, job.wrapper);
  EXPECT_EQ(status.Text().rfind("Failed to start batch processing task ", 0), 0u) << status.Text();
  EXPECT_EQ(job.calls, (Lines{"prepare", "idle"}));
}

TEST_F(RunSessionTest, ACancelledRunSaysSoWithWhatItWrote) {
  // The tool stops when it finds the stop file, as a wrapper tool does.
  Batch("out:started\\n wait-file:" + job.base + "Semaphore.xml");
  job.renamed = {0, 0, {}};
  Session().Start(false);
  ASSERT_TRUE(session->Active());
  session->Cancel();
  EXPECT_TRUE(fs::exists(job.base + "Semaphore.xml"));
  ASSERT_TRUE(Finish());
  const RunResult& result = session->Result();
  ASSERT_TRUE(result.end);
  EXPECT_EQ(result.end->kind, RunEnd::Kind::Cancelled);
  EXPECT_TRUE(result.cancelRequested);
  EXPECT_EQ(status.Text(), "Process cancelled, analysis incomplete! (this run wrote no results)");
  // A short console is opened in the viewer.
  EXPECT_EQ(job.calls.back(), "console log");
}

}  // namespace
}  // namespace korvane
