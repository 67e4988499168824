#include "platform/process.h"

#include <gtest/gtest.h>
#include <signal.h>

#include "platform/reaper.h"
#include "support/temp_dir.h"

namespace platform {
namespace {

using namespace std::chrono_literals;
using korvane::testing::TempDir;

std::unique_ptr<Process> StartTool(std::vector<std::string> steps, ProcessOptions options = {}) {
  options.argv = {KORVANE_TEST_TOOL};
  options.argv.insert(options.argv.end(), steps.begin(), steps.end());
  int error = -1;
  auto process = Process::Start(options, error);
  EXPECT_TRUE(process) << error;
  EXPECT_EQ(error, 0);
  return process;
}

// Everything the program writes until its output pipe closes.
std::string ReadToEnd(Process& process) {
  std::string all;
  while (true) {
    process.WaitForOutputOrEnd(200ms);
    const ReadState state = process.ReadAvailable(all, 1 << 20);
    if (state == ReadState::Closed || state == ReadState::Failed) return all;
  }
}

TEST(Process, CapturesOutputAndErrorsInOrderAndReportsTheStatus) {
  ProcessOptions options;
  options.captureOutput = true;
  auto process = StartTool({"out:one\\n", "err:two\\n", "out:three", "exit:7"}, options);
  ASSERT_TRUE(process);
  EXPECT_EQ(ReadToEnd(*process), "one\ntwo\nthree");
  const auto status = process->WaitFor(5000ms);
  ASSERT_TRUE(status);
  EXPECT_EQ(status->kind, ExitStatus::Kind::Exited);
  EXPECT_EQ(status->code, 7);
  EXPECT_EQ(status->ShellStatus(), 7);
}

TEST(Process, ReportsADeathBySignalApartFromAnExitStatus) {
  auto process = StartTool({"signal:9"});
  ASSERT_TRUE(process);
  const auto status = process->WaitFor(5000ms);
  ASSERT_TRUE(status);
  EXPECT_EQ(status->kind, ExitStatus::Kind::Signalled);
  EXPECT_EQ(status->code, SIGKILL);
  EXPECT_EQ(status->ShellStatus(), 128 + SIGKILL);
  EXPECT_FALSE(status->Success());
}

TEST(Process, RunsInTheWorkingDirectoryAndRedirectsIntoAFileThere) {
  TempDir dir;
  ProcessOptions options;
  options.workDir = dir.Path().string();
  options.outputFile = "Console.log";
  auto process = StartTool({"cwd", "out:done\\n"}, options);
  ASSERT_TRUE(process);
  ASSERT_TRUE(process->WaitFor(5000ms));
  const std::string real = std::filesystem::canonical(dir.Path()).string();
  EXPECT_EQ(dir.Read("Console.log"), real + "\ndone\n");

  // Appending keeps what was there.
  options.appendOutput = true;
  process = StartTool({"out:more\\n"}, options);
  ASSERT_TRUE(process->WaitFor(5000ms));
  EXPECT_EQ(dir.Read("Console.log"), real + "\ndone\nmore\n");
}

TEST(Process, ReportsAMissingProgramOrFolderAsAStartError) {
  int error = 0;
  ProcessOptions options;
  options.argv = {"/nonexistent/tool"};
  EXPECT_FALSE(Process::Start(options, error));
  EXPECT_EQ(error, ENOENT);
  options.argv = {"korvane-no-such-program-on-path"};
  EXPECT_FALSE(Process::Start(options, error));
  EXPECT_EQ(error, ENOENT);
  options.argv = {KORVANE_TEST_TOOL};
  options.workDir = "/nonexistent/folder";
  EXPECT_FALSE(Process::Start(options, error));
  EXPECT_NE(error, 0);
}

TEST(Process, FeedsInputAndSurvivesWritingToAProgramThatEnded) {
  ProcessOptions options;
  options.captureOutput = true;
  options.pipeInput = true;
  auto process = StartTool({"crlf-count:2"}, options);
  ASSERT_TRUE(process);
  EXPECT_EQ(process->WriteInput("\r\n"), WriteState::Written);
  EXPECT_EQ(process->WriteInput("x\r\n"), WriteState::Written);
  EXPECT_EQ(ReadToEnd(*process), "crlf 2\n");
  ASSERT_TRUE(process->WaitFor(5000ms));
  // The reader is gone: no SIGPIPE ends the test program, the write says Closed.
  EXPECT_EQ(process->WriteInput("\r\n"), WriteState::Closed);
  EXPECT_EQ(process->WriteInput("\r\n"), WriteState::Closed);
}

TEST(Process, ReadsNeverBlockAndWaitsKeepToTheirLimit) {
  TempDir dir;
  const std::string go = (dir.Path() / "go").string();
  ProcessOptions options;
  options.captureOutput = true;
  // The tool writes nothing and goes on only once the file is there: every wait before
  // that has to come back at its limit.
  auto process = StartTool({"wait-file:" + go, "out:late\\n"}, options);
  ASSERT_TRUE(process);
  std::string out;
  EXPECT_EQ(process->ReadAvailable(out, 100), ReadState::Nothing);
  EXPECT_EQ(process->BytesWaiting(), 0u);
  EXPECT_FALSE(process->WaitFor(50ms));
  const auto events = process->WaitForOutputOrEnd(50ms);
  EXPECT_FALSE(events.output || events.ended);
  dir.Write("go", "");
  EXPECT_EQ(ReadToEnd(*process), "late\n");
  EXPECT_TRUE(process->WaitFor(5000ms));
}

TEST(Reaper, TerminatesAtOnceAndKillsWhatIgnoresItAfterTheGrace) {
  Reaper reaper;
  auto polite = StartTool({"sleep:20000"});
  ProcessOptions captured;
  captured.captureOutput = true;
  auto stubborn = StartTool({"ignore-term", "out:ready", "sleep:20000"}, captured);
  ASSERT_TRUE(polite && stubborn);
  // Only once it ignores SIGTERM is the stubborn one handed over.
  std::string ready;
  while (ready.empty()) {
    stubborn->WaitForOutputOrEnd(1000ms);
    ASSERT_NE(stubborn->ReadAvailable(ready, 10), ReadState::Closed);
  }
  const auto before = std::chrono::steady_clock::now();
  const auto stubbornId = static_cast<pid_t>(stubborn->Id());
  reaper.Stop(std::move(polite), 10000ms);
  reaper.Stop(std::move(stubborn), 2000ms);
  EXPECT_EQ(::kill(stubbornId, 0), 0);  // the caller never waits for the end
  EXPECT_TRUE(reaper.WaitIdle(30000ms));
  EXPECT_GE(std::chrono::steady_clock::now() - before, 2000ms);  // killed after the grace
  EXPECT_EQ(reaper.Pending(), 0u);
}

}  // namespace
}  // namespace platform
