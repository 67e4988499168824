// A multi-entity run as the shell starts it: lastbatch.cmd in a base directory
// with a blank, through the console stub and the batch runner, followed by the
// watcher, its lines driving the entity progress.
#include <gtest/gtest.h>

#include "korvane/core/common/status_bar.h"
#include "korvane/core/run/run_progress.h"
#include "korvane/core/run/tool_launcher.h"
#include "korvane/core/run/tool_watcher.h"
#include "korvane/core/run/ui_dispatcher.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

using Lines = std::vector<std::string>;

struct ProgressListener : WatcherListener {
  RunProgress progress{"Payroll", 0};
  Lines lines;
  std::optional<RunEnd> end;
  void OnConsoleLines(const Lines& batch) override {
    for (const std::string& line : batch) {
      lines.push_back(line);
      progress.OnConsoleLine(line);
    }
  }
  void OnProgressStep() override { progress.EndStep(); }
  void OnRunEnded(const RunEnd& e) override { end = e; }
};

TEST(CapturedRun, RunsTheBatchThroughTheStubAndCountsTheEntities) {
  testing::TempDir dir;
  const std::string base = dir.Path().string() + "/pay roll/";
  const std::string tool = std::string("\"") + KORVANE_TEST_TOOL + "\"";
  dir.Write("pay roll/lastbatch.cmd", "ECHO ON\r\n" + tool +
                                          " source:PAY01.cbl last.xml;0001 \r\n" + tool +
                                          " source:PAY02.cbl last.xml;0002 \r\n");
  testing::ScriptedPerson person;
  StatusBar status(person);
  ToolLauncher launcher(status, {KORVANE_QUILLSTUB, KORVANE_BATCH_RUNNER, true});
  auto process = launcher.Start(ChooseToolCommand(true, false, base, ""), base, false);
  ASSERT_TRUE(process) << launcher.LastStartError();
  EXPECT_EQ(launcher.LastCommandLine(),
            std::string(KORVANE_QUILLSTUB) + " \"" + base + "lastbatch.cmd\" ");

  QueueDispatcher ui;
  ProgressListener listener;
  listener.progress.Start(0, 2, true, 2);
  WatcherOptions options;
  options.captureConsole = true;
  options.semaphorePath = base + "Semaphore.xml";
  ToolWatcher watcher(std::move(process), ui, listener, options);
  watcher.Start();
  ASSERT_TRUE(ui.RunUntil([&] { return !watcher.Running(); }, std::chrono::seconds(10)));

  EXPECT_EQ(listener.lines, (Lines{"ECHO ON", tool + " source:PAY01.cbl last.xml;0001",
                                   "Orig Source File = PAY01.cbl", "job last.xml;0001",
                                   tool + " source:PAY02.cbl last.xml;0002",
                                   "Orig Source File = PAY02.cbl", "job last.xml;0002"}));
  EXPECT_EQ(listener.progress.Modules().position, 2);
  EXPECT_EQ(listener.progress.Caption(),
            "Started processing project Payroll - Entity 2 of 2 -  PAY02.cbl");
  EXPECT_EQ(*listener.end, (RunEnd{RunEnd::Kind::Succeeded, 0}));
}

}  // namespace
}  // namespace korvane
