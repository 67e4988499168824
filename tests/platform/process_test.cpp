// Starting and following programs, on Linux and on Windows (run under Wine in CI); what
// only one system has (signals and process groups, the command interpreter, wide names)
// is tested on that one.
#include "platform/process.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/reaper.h"
#include "support/temp_dir.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using korvane::testing::TempDir;

#ifdef _WIN32
constexpr int kNotFound = ERROR_FILE_NOT_FOUND;
constexpr int kNoFolder = ERROR_DIRECTORY;
#else
constexpr int kNotFound = ENOENT;
constexpr int kNoFolder = ENOENT;
#endif

ProcessOptions Tool(std::vector<std::string> steps, ProcessOptions options = {}) {
  options.argv = {KORVANE_TEST_TOOL};
  options.argv.insert(options.argv.end(), steps.begin(), steps.end());
  return options;
}

std::unique_ptr<Process> Started(const ProcessOptions& options) {
  int error = -1;
  auto process = Process::Start(options, error);
  EXPECT_TRUE(process) << error;
  EXPECT_EQ(error, 0);
  return process;
}

std::unique_ptr<Process> StartTool(std::vector<std::string> steps, ProcessOptions options = {}) {
  return Started(Tool(std::move(steps), std::move(options)));
}

// Everything until the output pipe closes, that is until every program that holds its
// writing end has ended.
std::string ReadToEnd(Process& process, std::chrono::seconds limit = 60s) {
  std::string all;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < deadline) {
    process.WaitForOutputOrEnd(200ms);
    const ReadState state = process.ReadAvailable(all, 1 << 20);
    if (state == ReadState::Closed || state == ReadState::Failed) return all;
  }
  ADD_FAILURE() << "the output pipe stayed open";
  return all;
}

ProcessOptions Captured(bool pipeInput = false) {
  ProcessOptions options;
  options.captureOutput = true;
  options.pipeInput = pipeInput;
  return options;
}

TEST(Process, CapturesOutputAndErrorsInOrderAndReportsTheStatus) {
  auto process = StartTool({"out:one\\n", "err:two\\r\\n", "out:three", "exit:7"}, Captured());
  ASSERT_TRUE(process);
  EXPECT_TRUE(process->HasOutput());
  EXPECT_EQ(ReadToEnd(*process), "one\ntwo\r\nthree");
  const auto status = process->WaitFor(10000ms);
  ASSERT_TRUE(status);
  EXPECT_EQ(status->kind, ExitStatus::Kind::Exited);
  EXPECT_EQ(status->code, 7);
  EXPECT_EQ(status->ShellStatus(), 7);
  EXPECT_FALSE(status->Success());
}

TEST(Process, ReportsAMissingProgramOrFolderAsAStartError) {
  TempDir dir;
  int error = 0;
  ProcessOptions options;
  options.argv = {(dir.Path() / "absent").string()};
  EXPECT_FALSE(Process::Start(options, error));
  EXPECT_EQ(error, kNotFound);
  options.argv = {"korvane-no-such-program-on-path"};
  EXPECT_FALSE(Process::Start(options, error));
  EXPECT_EQ(error, kNotFound);
  options = Tool({});
  options.workDir = (dir.Path() / "absent").string();
  EXPECT_FALSE(Process::Start(options, error));
  EXPECT_EQ(error, kNoFolder);
}

TEST(Process, FeedsInputAndSurvivesWritingToAProgramThatEnded) {
  auto process = StartTool({"crlf-count:2"}, Captured(true));
  ASSERT_TRUE(process);
  EXPECT_EQ(process->WriteInput("\r\n"), WriteState::Written);
  EXPECT_EQ(process->WriteInput("x\r\n"), WriteState::Written);
  EXPECT_EQ(ReadToEnd(*process), "crlf 2\n");
  ASSERT_TRUE(process->WaitFor(10000ms));
  // The reader is gone: no SIGPIPE ends the test program, the write says Closed.
  EXPECT_EQ(process->WriteInput("\r\n"), WriteState::Closed);
  process->CloseInput();
  EXPECT_EQ(process->WriteInput("\r\n"), WriteState::Closed);
}

TEST(Process, ReadsNeverBlockAndWaitsKeepToTheirLimit) {
  TempDir dir;
  // The tool writes nothing and goes on only once the file is there: every wait before
  // that has to come back at its limit.
  auto process = StartTool({"wait-file:" + (dir / "go"), "out:late\\n"}, Captured());
  ASSERT_TRUE(process);
  std::string out;
  EXPECT_EQ(process->ReadAvailable(out, 100), ReadState::Nothing);
  EXPECT_EQ(process->BytesWaiting(), 0u);
  EXPECT_FALSE(process->TryWait());
  EXPECT_FALSE(process->WaitFor(50ms));
  const auto events = process->WaitForOutputOrEnd(50ms);
  EXPECT_FALSE(events.output || events.ended);
  dir.Write("go", "");
  EXPECT_EQ(ReadToEnd(*process), "late\n");
  EXPECT_TRUE(process->WaitFor(10000ms));
  process->CloseOutput();
  EXPECT_EQ(process->ReadAvailable(out, 100), ReadState::Closed);
}

TEST(Process, RunsInTheWorkingFolderAndRedirectsIntoAFileThere) {
  TempDir dir;
  // Names outside any ANSI code page reach Windows through the wide APIs.
  const fs::path work = dir.Path() / fs::path(u8"работа café Ω");
  fs::create_directories(work);
#ifdef _WIN32
  ProcessOptions options = Tool({"out:first\\n"});
  const std::string first = "first\n";
#else
  ProcessOptions options = Tool({"cwd", "out:first\\n"});
  const std::string first = fs::canonical(work).string() + "\nfirst\n";
#endif
  options.workDir = work.string();
  options.outputFile = fs::path(u8"журнал.log").string();
  auto process = Started(options);
  ASSERT_TRUE(process);
  EXPECT_FALSE(process->HasOutput());
  ASSERT_TRUE(process->WaitFor(10000ms));

  // Appending keeps what was there.
  options.argv = {KORVANE_TEST_TOOL, "out:second\\n"};
  options.appendOutput = true;
  process = Started(options);
  ASSERT_TRUE(process);
  ASSERT_TRUE(process->WaitFor(10000ms));
  std::ifstream log(work / fs::path(u8"журнал.log"), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(log), {}), first + "second\n");

#ifdef _WIN32
  // A relative program path counts from the working folder; ".exe" may be left off.
  fs::copy_file(fs::path(KORVANE_TEST_TOOL), work / "copied.exe");
  options = {};
  options.argv = {"copied", "exit:5"};
  options.workDir = work.string();
  process = Started(options);
  ASSERT_TRUE(process);
  const auto status = process->WaitFor(10000ms);
  ASSERT_TRUE(status);
  EXPECT_EQ(status->code, 5);

  // An output file in a folder that is not there.
  options = Tool({});
  options.outputFile = (dir.Path() / "absent" / "out.log").string();
  int error = 0;
  EXPECT_FALSE(Process::Start(options, error));
  EXPECT_EQ(error, ERROR_PATH_NOT_FOUND);
#endif
}

#ifndef _WIN32
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

TEST(Reaper, TerminatesAtOnceAndKillsWhatIgnoresItAfterTheGrace) {
  Reaper reaper;
  auto polite = StartTool({"sleep:20000"});
  auto stubborn = StartTool({"ignore-term", "out:ready", "sleep:20000"}, Captured());
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
#else
TEST(WindowsProcess, PassesArgumentsByTheQuotingRulesOfTheCommandLine) {
  auto process =
      StartTool({"--args", "a b", "q\"x", "", "tail\\", "c:\\dir with\\", "%PATH%"}, Captured());
  ASSERT_TRUE(process);
  EXPECT_EQ(ReadToEnd(*process), "[a b]\n[q\"x]\n[]\n[tail\\]\n[c:\\dir with\\]\n[%PATH%]\n");
}

TEST(WindowsProcess, CapturesAHundredThousandLinesWhole) {
  auto process = StartTool({"lines:100000:79"}, Captured());
  ASSERT_TRUE(process);
  const std::string all = ReadToEnd(*process);
  EXPECT_EQ(all.size(), 100000u * 80u);
  EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 100000);
  ASSERT_TRUE(process->WaitFor(10000ms));
}

TEST(WindowsProcess, WritingToAToolThatNeverReadsFillsThePipeWithoutWaiting) {
  ProcessOptions options;
  options.pipeInput = true;
  auto process = StartTool({"sleep:30000"}, options);
  ASSERT_TRUE(process);
  const std::string block(1024, 'x');
  WriteState state = WriteState::Written;
  for (int i = 0; i < 1000 && state == WriteState::Written; ++i) state = process->WriteInput(block);
  EXPECT_EQ(state, WriteState::Full);
  process->Kill();
  ASSERT_TRUE(process->WaitFor(10000ms));
  EXPECT_EQ(process->WriteInput("\r\n"), WriteState::Closed);
}

TEST(WindowsProcess, RunsABatchFileByTheCommandInterpreterAndRefusesWhatItWouldExpand) {
  TempDir dir;
  const std::string tool = KORVANE_TEST_TOOL;
  dir.Write("run me.cmd",
            "@echo off\r\n\"" + tool + "\" out:%1 exit:4\r\nexit /b %errorlevel%\r\n");
  ProcessOptions options = Captured();
  options.argv = {dir / "run me.cmd", "hello&x"};
  options.workDir = dir.Path().string();
  auto process = Started(options);
  ASSERT_TRUE(process);
  // Quoted whole, the argument reached the tool as one and "&" started nothing.
  EXPECT_EQ(ReadToEnd(*process), "hello&x");
  const auto status = process->WaitFor(10000ms);
  ASSERT_TRUE(status);
  EXPECT_EQ(status->code, 4);

  for (const char* unsafe : {"50%", "a\"b"}) {
    options.argv = {dir / "run me.cmd", unsafe};
    int error = 0;
    EXPECT_FALSE(Process::Start(options, error)) << unsafe;
    EXPECT_EQ(error, ERROR_BAD_ARGUMENTS);
  }
}

TEST(WindowsProcess, KillEndsEveryProgramTheToolStarted) {
  TempDir dir;
  // The interpreter starts the test tool: a grandchild holding the output pipe.
  dir.Write("tree.cmd", "@\"" + std::string(KORVANE_TEST_TOOL) + "\" out:started sleep:60000\r\n");
  ProcessOptions options = Captured();
  options.argv = {dir / "tree.cmd"};
  auto process = Started(options);
  ASSERT_TRUE(process);
  std::string out;
  while (out.find("started") == std::string::npos) {
    process->WaitForOutputOrEnd(200ms);
    ASSERT_NE(process->ReadAvailable(out, 1024), ReadState::Closed);
  }
  process->Terminate();
  const auto status = process->WaitFor(10000ms);
  ASSERT_TRUE(status);
  EXPECT_FALSE(status->Success());
  // The pipe closes only when the grandchild has ended as well.
  ReadToEnd(*process, 20s);
}

TEST(WindowsProcess, TheReaperEndsAToolThatWouldRunOn) {
  auto process = StartTool({"sleep:60000"});
  ASSERT_TRUE(process);
  Reaper reaper;
  reaper.Stop(std::move(process), 200ms);
  EXPECT_TRUE(reaper.WaitIdle(20s));
  EXPECT_EQ(reaper.Pending(), 0u);
}
#endif

}  // namespace
}  // namespace platform
