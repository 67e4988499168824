// The sample job run in the window (offscreen) while every tool start writes 250,000
// console lines, a million in all: how long the run takes, the longest time the window's
// event loop went without serving a 10 ms timer (what the person sees as a frozen
// window), the lines in Console.log and this process's peak memory.
// Usage: window_flood_run   (run from the release build folder's bench directory)
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <vector>

#include "e2e/sample_job.h"
#include "korvane/core/app/shell.h"
#include "korvane/core/form/component_names.h"
#include "korvane/ui/main_window.h"
#include "platform/memory_settings.h"
#include "support/scripted_person.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("KORVANE_STANDIN_FLOOD", "250000", 1);
  QApplication app(argc, argv);
  korvane::testing::TempDir dir;
  const std::string job = korvane::testing::MakeSampleJob(dir, "out");
  const std::string root = KORVANE_TOOLROOT;
  korvane::testing::ScriptedPerson person;
  person.answers.assign(8, korvane::Button::Yes);
  platform::MemorySettings settings;
  // The console stub and the batch runner are found beside the program.
  korvane::Shell shell(
      person, settings,
      {KORVANE_BINARY, {"-Root", root, "-Proj", job}, root + "/Korvane.INI", dir / "data"});
  korvane::ui::MainWindow window(shell);
  if (!shell.Create() || !shell.Show()) return 1;
  window.show();

  QElapsedTimer clock;
  qint64 lastTick = 0;
  qint64 longestGap = 0;
  std::vector<std::pair<qint64, qint64>> longGaps;  // (when, how long) over 100 ms
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    const qint64 now = clock.elapsed();
    longestGap = std::max(longestGap, now - lastTick);
    if (now - lastTick > 100) longGaps.emplace_back(now, now - lastTick);
    lastTick = now;
  });
  QTimer::singleShot(0, [&] {
    clock.start();
    ticker.start(10);
    shell.Execute(korvane::names::kActRunWrap);
    lastTick = clock.elapsed();
    auto* watch = new QTimer(&app);
    QObject::connect(watch, &QTimer::timeout, [&, watch] {
      if (shell.Runs().Running()) return;
      watch->stop();
      std::cout << "run ended at " << clock.elapsed() << " ms\n";
      app.quit();
    });
    watch->start(50);
  });
  app.exec();

  std::ifstream log(dir.Path() / "out/Console.log", std::ios::binary);
  long lines = 0;
  for (std::string line; std::getline(log, line);)
    lines += line.find(" console line ") != std::string::npos;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::cout << "run: " << clock.elapsed() << " ms, longest event-loop gap: " << longestGap
            << " ms, flood lines in Console.log: " << lines
            << ", peak memory: " << usage.ru_maxrss / 1024 << " MB\n";
  for (const auto& [when, gap] : longGaps)
    std::cout << "  gap of " << gap << " ms ending at " << when << " ms\n";
  return 0;
}
