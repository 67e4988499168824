#include <gtest/gtest.h>

#include "platform/process.h"
#include "support/golden.h"
#include "support/temp_dir.h"

namespace {

using namespace std::chrono_literals;
using korvane::testing::TempDir;

struct Outcome {
  std::string output;
  platform::ExitStatus status;
};

// Runs argv in workDir with its output captured and input given, to the end.
Outcome RunToEnd(std::vector<std::string> argv, const std::string& input = {},
                 const std::string& workDir = {}) {
  platform::ProcessOptions options;
  options.argv = std::move(argv);
  options.workDir = workDir;
  options.captureOutput = true;
  options.pipeInput = true;
  int error = 0;
  auto process = platform::Process::Start(options, error);
  EXPECT_TRUE(process) << error;
  if (!process) return {};
  if (!input.empty()) {
    EXPECT_EQ(process->WriteInput(input), platform::WriteState::Written);
  }
  Outcome outcome;
  while (true) {
    process->WaitForOutputOrEnd(500ms);
    const auto state = process->ReadAvailable(outcome.output, 1 << 20);
    if (state == platform::ReadState::Closed) break;
  }
  outcome.status = *process->WaitFor(5000ms);
  return outcome;
}

TEST(ConsoleStub, PassesTheToolsConsoleThroughAndEndsWithItsStatus) {
  Outcome run = RunToEnd(
      {KORVANE_QUILLSTUB, KORVANE_TEST_TOOL, "crlf-count:2", "err:oops\\n", "exit:3"}, "\r\n\r\n");
  EXPECT_EQ(run.output, "crlf 2\noops\n");
  EXPECT_EQ(run.status.kind, platform::ExitStatus::Kind::Exited);
  EXPECT_EQ(run.status.code, 3);
#ifdef _WIN32
  const std::string missing = "C:\\nonexistent\\tool.exe";
#else
  const std::string missing = "/nonexistent/tool";
  run = RunToEnd({KORVANE_QUILLSTUB, KORVANE_TEST_TOOL, "signal:15"});
  EXPECT_EQ(run.status.code, 128 + 15);
#endif
  run = RunToEnd({KORVANE_QUILLSTUB, missing, "last.xml"});
  EXPECT_EQ(run.status.code, 127);
  EXPECT_NE(run.output.find(missing), std::string::npos) << run.output;
}

#ifdef _WIN32
// Windows: the batch runner hands the file to the command interpreter and ends with its
// status.
TEST(BatchRunnerWindows, TheInterpreterRunsTheFileAndItsStatusComesBack) {
  TempDir dir;
  dir.Write("job.cmd", "@ECHO OFF\r\n\"" + std::string(KORVANE_TEST_TOOL) + "\" out:first\r\n\"" +
                           std::string(KORVANE_TEST_TOOL) +
                           "\" exit:6\r\nexit /b %errorlevel%\r\n");
  Outcome run = RunToEnd({KORVANE_BATCH_RUNNER, dir / "job.cmd"}, {}, dir.Path().string());
  EXPECT_EQ(run.output, "first");
  EXPECT_EQ(run.status.code, 6);
  run = RunToEnd({KORVANE_BATCH_RUNNER, dir / "absent.cmd"});
  EXPECT_EQ(run.status.code, 127);
}
#endif

TEST(BatchRunner, RunsTheLinesInOrderWithEchoRedirectionAndTheLastFailure) {
  TempDir dir;
  // Echo on and off, "@", blank and indented lines, a missing program, a quoted
  // argument, a redirection, REM; "{tool}" is the test tool, quoted.
  const std::string tool = std::string("\"") + KORVANE_TEST_TOOL + "\"";
  std::string batch = korvane::testing::ReadGolden("tools/lastbatch.cmd");
  for (size_t at; (at = batch.find("{tool}")) != std::string::npos;) batch.replace(at, 6, tool);
  dir.Write("lastbatch.cmd", batch);
  const Outcome run = RunToEnd({KORVANE_BATCH_RUNNER, "lastbatch.cmd"}, {}, dir.Path().string());
  // The missing program's message goes to the error output, which is captured too.
  korvane::testing::ExpectGolden("tools/lastbatch_output.txt", run.output, {{"{tool}", tool}});
  EXPECT_EQ(dir.Read("result.log"), "kept\n");
  EXPECT_EQ(run.status.code, 4);  // the last line that failed, not the first
  EXPECT_EQ(run.status.kind, platform::ExitStatus::Kind::Exited);

  dir.Write("ok.cmd", "/bin/false\r\n/bin/true\r\n");
  EXPECT_EQ(RunToEnd({KORVANE_BATCH_RUNNER, "ok.cmd"}, {}, dir.Path().string()).status.code, 1);
  EXPECT_EQ(RunToEnd({KORVANE_BATCH_RUNNER, "missing.cmd"}, {}, dir.Path().string()).status.code,
            1);
}

TEST(BatchRunner, AStopEndsTheRunningLineAndStartsNoOther) {
  TempDir dir;
  dir.Write("slow.cmd", std::string("@\"") + KORVANE_TEST_TOOL +
                            "\" out:started\\n sleep:20000\r\n" + "/bin/echo never\r\n");
  platform::ProcessOptions options;
  options.argv = {KORVANE_BATCH_RUNNER, "slow.cmd"};
  options.workDir = dir.Path().string();
  options.captureOutput = true;
  int error = 0;
  auto process = platform::Process::Start(options, error);
  ASSERT_TRUE(process);
  std::string output;
  while (output.find("started") == std::string::npos) {
    process->WaitForOutputOrEnd(1000ms);
    ASSERT_NE(process->ReadAvailable(output, 1024), platform::ReadState::Closed);
  }
  process->Terminate();
  const auto status = process->WaitFor(5000ms);
  ASSERT_TRUE(status);  // long before the line's 20 s were over
  EXPECT_EQ(status->code, 128 + 15);
  process->ReadAvailable(output, 1024);
  EXPECT_EQ(output.find("never"), std::string::npos);
}

}  // namespace
