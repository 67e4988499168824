// Starting and following programs on Windows (run under Wine in CI).
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/process.h"
#include "platform/reaper.h"
#include "support/temp_dir.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using korvane::testing::TempDir;

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

// Everything until the output pipe closes, that is until every program that
// holds its writing end has ended.
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

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(WindowsProcess, CapturesOutputAndErrorsInOrderAndReportsTheStatus) {
  ProcessOptions options;
  options.captureOutput = true;
  auto process = Started(Tool({"out:one\\n", "err:two\\r\\n", "out:three", "exit:7"}, options));
  ASSERT_TRUE(process);
  EXPECT_TRUE(process->HasOutput());
  EXPECT_EQ(ReadToEnd(*process), "one\ntwo\r\nthree");
  const auto status = process->WaitFor(10000ms);
  ASSERT_TRUE(status);
  EXPECT_EQ(status->kind, ExitStatus::Kind::Exited);
  EXPECT_EQ(status->code, 7);
  EXPECT_FALSE(status->Success());
}

TEST(WindowsProcess, PassesArgumentsByTheQuotingRulesOfTheCommandLine) {
  ProcessOptions options;
  options.captureOutput = true;
  auto process =
      Started(Tool({"--args", "a b", "q\"x", "", "tail\\", "c:\\dir with\\", "%PATH%"}, options));
  ASSERT_TRUE(process);
  EXPECT_EQ(ReadToEnd(*process), "[a b]\n[q\"x]\n[]\n[tail\\]\n[c:\\dir with\\]\n[%PATH%]\n");
}

TEST(WindowsProcess, CapturesAHundredThousandLinesWhole) {
  ProcessOptions options;
  options.captureOutput = true;
  auto process = Started(Tool({"lines:100000:79"}, options));
  ASSERT_TRUE(process);
  const std::string all = ReadToEnd(*process);
  EXPECT_EQ(all.size(), 100000u * 80u);
  EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 100000);
  ASSERT_TRUE(process->WaitFor(10000ms));
}

TEST(WindowsProcess, RunsInTheWorkingFolderAndRedirectsIntoAFileThere) {
  TempDir dir;
  // Names outside any ANSI code page reach the system through the wide APIs.
  const fs::path work = dir.Path() / fs::path(L"работа café Ω");
  fs::create_directories(work);
  ProcessOptions options = Tool({"out:first\\n"});
  options.workDir = work.string();
  options.outputFile = fs::path(L"журнал.log").string();
  auto process = Started(options);
  ASSERT_TRUE(process);
  EXPECT_FALSE(process->HasOutput());
  ASSERT_TRUE(process->WaitFor(10000ms));

  options.argv.back() = "out:second\\n";
  options.appendOutput = true;
  process = Started(options);
  ASSERT_TRUE(process);
  ASSERT_TRUE(process->WaitFor(10000ms));
  EXPECT_EQ(ReadFile(work / fs::path(L"журнал.log")), "first\nsecond\n");

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
}

TEST(WindowsProcess, ReportsAMissingProgramOrFolderAsAStartError) {
  TempDir dir;
  int error = 0;
  ProcessOptions options;
  options.argv = {(dir.Path() / "absent.exe").string()};
  EXPECT_FALSE(Process::Start(options, error));
  EXPECT_EQ(error, ERROR_FILE_NOT_FOUND);
  options.argv = {"korvane-no-such-program-anywhere"};
  EXPECT_FALSE(Process::Start(options, error));
  EXPECT_EQ(error, ERROR_FILE_NOT_FOUND);
  options = Tool({});
  options.workDir = (dir.Path() / "absent").string();
  EXPECT_FALSE(Process::Start(options, error));
  EXPECT_EQ(error, ERROR_DIRECTORY);
  options = Tool({});
  options.outputFile = (dir.Path() / "absent" / "out.log").string();
  EXPECT_FALSE(Process::Start(options, error));
  EXPECT_EQ(error, ERROR_PATH_NOT_FOUND);
}

TEST(WindowsProcess, FeedsInputAndSurvivesWritingToAProgramThatEnded) {
  ProcessOptions options;
  options.captureOutput = true;
  options.pipeInput = true;
  auto process = Started(Tool({"crlf-count:2"}, options));
  ASSERT_TRUE(process);
  EXPECT_EQ(process->WriteInput("a\r\n"), WriteState::Written);
  EXPECT_EQ(process->WriteInput("\r\n"), WriteState::Written);
  EXPECT_EQ(ReadToEnd(*process), "crlf 2\n");
  ASSERT_TRUE(process->WaitFor(10000ms));
  EXPECT_EQ(process->WriteInput("\r\n"), WriteState::Closed);
  process->CloseInput();
  EXPECT_EQ(process->WriteInput("\r\n"), WriteState::Closed);
}

TEST(WindowsProcess, WritingToAToolThatNeverReadsFillsThePipeWithoutWaiting) {
  ProcessOptions options;
  options.pipeInput = true;
  auto process = Started(Tool({"sleep:30000"}, options));
  ASSERT_TRUE(process);
  const std::string block(1024, 'x');
  WriteState state = WriteState::Written;
  for (int i = 0; i < 1000 && state == WriteState::Written; ++i) state = process->WriteInput(block);
  EXPECT_EQ(state, WriteState::Full);
  process->Kill();
  ASSERT_TRUE(process->WaitFor(10000ms));
  EXPECT_EQ(process->WriteInput("\r\n"), WriteState::Closed);
}

TEST(WindowsProcess, ReadsNeverBlockAndAnEndIsSeenWithoutOutput) {
  ProcessOptions options;
  options.captureOutput = true;
  auto process = Started(Tool({"sleep:1500", "out:late"}, options));
  ASSERT_TRUE(process);
  std::string out;
  EXPECT_EQ(process->ReadAvailable(out, 100), ReadState::Nothing);
  EXPECT_EQ(process->BytesWaiting(), 0u);
  EXPECT_FALSE(process->TryWait());
  EXPECT_FALSE(process->WaitFor(10ms));
  const auto events = process->WaitForOutputOrEnd(20ms);
  EXPECT_FALSE(events.output);
  EXPECT_FALSE(events.ended);
  EXPECT_EQ(ReadToEnd(*process), "late");
  ASSERT_TRUE(process->WaitFor(10000ms));
  process->CloseOutput();
  EXPECT_EQ(process->ReadAvailable(out, 100), ReadState::Closed);
}

TEST(WindowsProcess, RunsABatchFileByTheCommandInterpreterAndRefusesWhatItWouldExpand) {
  TempDir dir;
  const std::string tool = KORVANE_TEST_TOOL;
  dir.Write("run me.cmd",
            "@echo off\r\n\"" + tool + "\" out:%1 exit:4\r\nexit /b %errorlevel%\r\n");
  ProcessOptions options;
  options.argv = {dir / "run me.cmd", "hello&x"};
  options.captureOutput = true;
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
  ProcessOptions options;
  options.argv = {dir / "tree.cmd"};
  options.captureOutput = true;
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
  auto process = Started(Tool({"sleep:60000"}));
  ASSERT_TRUE(process);
  Reaper reaper;
  reaper.Stop(std::move(process), 200ms);
  EXPECT_TRUE(reaper.WaitIdle(20s));
  EXPECT_EQ(reaper.Pending(), 0u);
}

}  // namespace
}  // namespace platform
