// Runs of the sample job ended by a signal: cancelled by the person (the tool stops on the
// semaphore, or ignores it and is ended by the shell), and the shell killed during a run
// and opened again.
#include <gtest/gtest.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "e2e/sample_job.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::MakeSampleJob;
using testing::RunJob;
using testing::SampleResults;
using testing::TempDir;

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
  bool Sent() const { return sent_; }

 private:
  fs::path file_;
  int signal_;
  std::atomic<bool> sent_{false};
  std::thread thread_;
};

TEST(RunCases, InterruptCancelsTheRunWhetherTheToolHeedsTheSemaphoreOrNot) {
  // A closed terminal (SIGHUP) cancels as Ctrl+C does.
  for (const auto& [ignores, signal] : {std::pair{false, SIGHUP}, std::pair{true, SIGINT}}) {
    SCOPED_TRACE(ignores ? "tool ignores the semaphore" : "tool stops on the semaphore");
    TempDir dir;
    const std::string job = MakeSampleJob(dir, "out");
    const fs::path base = dir.Path() / "out";
    std::map<std::string, std::string> env{{"KORVANE_STANDIN_DELAY_MS", "4000"}};
    if (ignores) env["KORVANE_STANDIN_IGNORE_SEMAPHORE"] = "1";
    // The batch file is the preparation's last step: the tools start next.
    SignalWhen whenRunning(base / "lastbatch.cmd", signal);
    const auto result = RunJob(dir, job, env, [&](long pid) { whenRunning(pid); });
    ASSERT_TRUE(whenRunning.Sent());
    EXPECT_EQ(result.status, 7) << result.err;
    EXPECT_NE(result.err.find("korvane: exit status 7: the run was cancelled"), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("Background process cancelled!"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("Process cancelled, analysis incomplete!"), std::string::npos)
        << result.err;
    EXPECT_TRUE(fs::exists(base / "Semaphore.xml") || ignores);
    // Not every source got through, and what did got its name back.
    const int done = SampleResults(base.string());
    EXPECT_LT(done, 4);
    EXPECT_FALSE(fs::exists(base / "WrapOut/SRC0001.xml"));
    EXPECT_NE(dir.Read("CustBankXml.jwrap").find("BatchRunning=N"), std::string::npos);
  }
}

TEST(RunCases, AShellKilledDuringARunReconcilesWhenTheJobIsOpenedAgain) {
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
  // The results that arrived got their names; the job no longer counts as running.
  EXPECT_TRUE(fs::exists(base / "WrapOut/ACCTUPD.xml"));
  EXPECT_FALSE(fs::exists(base / "WrapOut/SRC0001.xml"));
  EXPECT_NE(dir.Read("CustBankXml.jwrap").find("BatchRunning=N"), std::string::npos);
}

}  // namespace
}  // namespace korvane
