#include "korvane/core/run/tool_watcher.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#endif

#include <filesystem>

#include "korvane/core/run/ui_dispatcher.h"
#include "platform/reaper.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;
using testing::TempDir;

struct Recorder : WatcherListener {
  std::thread::id uiThread = std::this_thread::get_id();
  Lines lines;
  int steps = 0;
  int batches = 0;
  bool offThread = false;
  std::optional<RunEnd> end;
  int stepsAfterEnd = 0;

  void OnConsoleLines(const Lines& batch) override {
    offThread |= std::this_thread::get_id() != uiThread;
    lines.insert(lines.end(), batch.begin(), batch.end());
    ++batches;
  }
  void OnProgressStep() override {
    ++steps;
    if (end) ++stepsAfterEnd;
  }
  void OnRunEnded(const RunEnd& e) override { end = e; }
};

// The test tool with its steps; a captured one runs through the console stub unless
// told otherwise, with its output read and its input piped.
std::unique_ptr<platform::Process> StartTool(std::vector<std::string> steps, bool captured,
                                             bool stub) {
  platform::ProcessOptions options;
  options.argv = {KORVANE_QUILLSTUB, KORVANE_TEST_TOOL};
  if (!stub) options.argv.erase(options.argv.begin());
  options.argv.insert(options.argv.end(), steps.begin(), steps.end());
  options.captureOutput = captured;
  options.pipeInput = stub;
  int error = 0;
  auto process = platform::Process::Start(options, error);
  EXPECT_TRUE(process) << error;
  return process;
}

// A tool started under a watcher on this thread's queue, its events recorded.
struct Watched {
  Watched(std::vector<std::string> steps, bool captured, const WatcherOptions& options,
          bool stub = true) {
    auto process = StartTool(std::move(steps), captured, captured && stub);
    pid = process ? process->Id() : 0;
    watcher = std::make_unique<ToolWatcher>(std::move(process), ui, rec, options);
    watcher->Start();
  }
  bool RunToEnd(std::chrono::milliseconds limit = 10s) {
    return ui.RunUntil([&] { return !watcher->Running(); }, limit);
  }
  QueueDispatcher ui;
  Recorder rec;
  std::unique_ptr<ToolWatcher> watcher;
  long pid = 0;
};

TEST(ToolWatcher, HandsOnCapturedLinesAndTheLastUnfinishedOneOnTheInterfaceThread) {
  TempDir dir;
  // The copy replaces a link planted at its name instead of writing through it.
  const std::string target = dir.Write("elsewhere.txt", "keep");
  std::filesystem::create_symlink(target, dir / "copy.log");
  WatcherOptions options;
  options.captureConsole = true;
  options.pollInterval = 50ms;
  options.consoleCopyPath = dir / "copy.log";
  Watched w({"out:Orig Source File = A\\r\\n", "out:part", "sleep:120", "out:ly\\n",
             "err:to error\\n", "sleep:120", "out:tail"},
            true, options);
  ASSERT_TRUE(w.RunToEnd());
  EXPECT_EQ(w.rec.lines, (Lines{"Orig Source File = A", "partly", "to error", "tail"}));
  EXPECT_FALSE(w.rec.offThread);
  ASSERT_TRUE(w.rec.end);
  EXPECT_EQ(*w.rec.end, (RunEnd{RunEnd::Kind::Succeeded, 0, true}));
  EXPECT_GE(w.rec.steps, 3);  // regular steps while it ran, and one more at the end
  EXPECT_EQ(w.rec.stepsAfterEnd, 0);
  // The same lines went to the copy as they came, each ended by CR LF.
  EXPECT_EQ(dir.Read("copy.log"), "Orig Source File = A\r\npartly\r\nto error\r\ntail\r\n");
  EXPECT_EQ(dir.Read("elsewhere.txt"), "keep");

  // A copy that cannot be written says so; the shell then writes the log itself.
  options.consoleCopyPath = dir / "missing/copy.log";
  Watched failing({"out:x\n"}, true, options);
  ASSERT_TRUE(failing.RunToEnd());
  ASSERT_TRUE(failing.rec.end);
  EXPECT_FALSE(failing.rec.end->consoleCopied);
  EXPECT_EQ(failing.rec.lines, (Lines{"x"}));
}

TEST(ToolWatcher, WritesALineEndToAnIdleToolsInputAtEveryStep) {
  WatcherOptions options;
  options.captureConsole = true;
  options.pollInterval = 30ms;
  Watched w({"crlf-count:3"}, true, options);
  ASSERT_TRUE(w.RunToEnd());
  EXPECT_EQ(w.rec.lines, (Lines{"crlf 3"}));
}

TEST(ToolWatcher, TellsAnExitStatusFromASignal) {
  const auto endOf = [](std::vector<std::string> steps, bool captured) {
    WatcherOptions options;
    options.captureConsole = captured;
    Watched w(std::move(steps), captured, options);
    EXPECT_TRUE(w.RunToEnd());
    return w.rec.end.value_or(RunEnd{RunEnd::Kind::Cancelled, -1});
  };
  EXPECT_EQ(endOf({"exit:3"}, false), (RunEnd{RunEnd::Kind::Failed, 3}));
  EXPECT_EQ(endOf({"signal:9"}, false), (RunEnd{RunEnd::Kind::Signalled, 9}));
  // Through the stub the signal comes back as a status.
  EXPECT_EQ(endOf({"signal:9"}, true), (RunEnd{RunEnd::Kind::Failed, 137}));
}

TEST(ToolWatcher, ACancelAsksThroughTheStopFileThenTerminatesThenKills) {
  TempDir dir;
  WatcherOptions options;
  options.semaphorePath = dir / "Semaphore.xml";
  options.cancelGrace = 200ms;
  options.killGrace = 200ms;
  {
    // A tool that watches for the stop file ends by itself.
    Watched w({"wait-file:" + options.semaphorePath, "exit:0"}, false, options);
    EXPECT_TRUE(w.watcher->Cancel());
    EXPECT_EQ(dir.Read("Semaphore.xml"), "");
    ASSERT_TRUE(w.RunToEnd(5s));
    EXPECT_EQ(*w.rec.end, (RunEnd{RunEnd::Kind::Cancelled, 0}));
  }
  std::filesystem::remove(options.semaphorePath);
  // One that ignores it and SIGTERM is killed, and never before both graces have passed.
  options.captureConsole = true;
  Watched w({"ignore-term", "out:ready\\n", "sleep:20000"}, true, options, false);
  ASSERT_TRUE(w.ui.RunUntil([&] { return !w.rec.lines.empty(); }, 30s));  // ignoring by now
  const auto before = std::chrono::steady_clock::now();
  EXPECT_TRUE(w.watcher->Cancel());
  ASSERT_TRUE(w.RunToEnd(5s));
  EXPECT_GE(std::chrono::steady_clock::now() - before, 400ms);
  EXPECT_EQ(*w.rec.end, (RunEnd{RunEnd::Kind::Cancelled, 128 + 9}));
}

TEST(ToolWatcher, AChattyToolWaitsForTheInterfaceAndLosesNoLine) {
  WatcherOptions options;
  options.captureConsole = true;
  options.maxBatchesInFlight = 2;
  Watched w({"lines:50000:80"}, true, options);
  // The interface is busy for a while: the watcher may not run ahead of it.
  std::this_thread::sleep_for(200ms);
  EXPECT_LE(w.ui.Queued(), 3u);
  ASSERT_TRUE(w.RunToEnd(20s));
  ASSERT_EQ(w.rec.lines.size(), 50000u);
  EXPECT_EQ(w.rec.lines.back(), std::string(80, 'x'));
  EXPECT_GT(w.rec.batches, 1);
}

// Whether the tool still runs is asked with a signal, which only POSIX systems have.
#ifndef _WIN32
TEST(ToolWatcher, GoingAwayDuringARunNeitherWaitsNorLeavesTheToolBehind) {
  platform::Reaper reaper;
  WatcherOptions options;
  options.reaper = &reaper;
  options.captureConsole = true;
  options.killGrace = 2s;
  // A tool that ignores the request to stop: only the kill after the grace ends it.
  Watched w({"ignore-term", "out:ready\\n", "sleep:20000"}, true, options, false);
  ASSERT_TRUE(w.ui.RunUntil([&] { return !w.rec.lines.empty(); }, 30s));
  const auto pid = static_cast<pid_t>(w.pid);
  w.watcher.reset();
  // Handed to the reaper, not waited for: it still runs when the watcher is gone.
  EXPECT_EQ(::kill(pid, 0), 0);
  w.ui.RunPending();  // work posted before it went is dropped
  EXPECT_FALSE(w.rec.end);
  EXPECT_TRUE(reaper.WaitIdle(30s));
  EXPECT_NE(::kill(pid, 0), 0);  // killed and collected
}

#endif

}  // namespace
}  // namespace korvane
