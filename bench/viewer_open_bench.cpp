// Opening a 50 MB log in the viewer: the core's page (read, line index), the same page
// shown in its log view and scrolled through.

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QScrollBar>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "bench/direct_gate.h"
#include "korvane/core/viewer/viewer_page.h"
#include "korvane/ui/viewer/log_page_view.h"

namespace {

using bench::DirectGate;

// About 50 MB of tool log lines with CR LF ends, made once.
const std::string& BigLog() {
  static const std::string path = [] {
    const auto file = std::filesystem::temp_directory_path() / "korvane-bench-50mb.log";
    std::ofstream out(file, std::ios::binary);
    std::mt19937 random(7);
    std::string line;
    size_t written = 0;
    for (int i = 0; written < 50u * 1024 * 1024; ++i) {
      line = "COBWRAP " + std::to_string(i) + " SRC" + std::to_string(random() % 9999) +
             " processing member CUSTREC line " + std::to_string(random() % 100000);
      line.resize(60 + random() % 60, '.');
      line += "\r\n";
      out << line;
      written += line.size();
    }
    return file.string();
  }();
  return path;
}

// The log read into a viewer page, as opening it does.
struct OpenedLog {
  explicit OpenedLog(const std::string& file) {
    page.SetFileName(file);
    page.LoadFile(file);
  }
  korvane::ViewerPage page{"tsv0", "big.log"};
};

// The opened log in its text view, shown at a window's size.
struct ShownLog : OpenedLog {
  ShownLog(const std::string& file, DirectGate& gate)
      : OpenedLog(file), view(gate, page.Document(), nullptr) {
    view.resize(1000, 700);
    view.show();
  }
  korvane::ui::LogPageView view;
};

void BM_OpenPageCore(benchmark::State& state) {
  const std::string& file = BigLog();
  for (auto _ : state) {
    OpenedLog log(file);
    benchmark::DoNotOptimize(log.page.Document().LineCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::filesystem::file_size(file)));
}
BENCHMARK(BM_OpenPageCore)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OpenPageWidget(benchmark::State& state) {
  const std::string& file = BigLog();
  DirectGate gate;
  for (auto _ : state) {
    ShownLog log(file, gate);
    QApplication::processEvents();
    benchmark::DoNotOptimize(log.view.PageLines());
  }
}
BENCHMARK(BM_OpenPageWidget)->Unit(benchmark::kMillisecond)->Iterations(2);

// Paging through the shown log: one scroll step of a page and a repaint.
void BM_ScrollWidget(benchmark::State& state) {
  const std::string& file = BigLog();
  DirectGate gate;
  ShownLog log(file, gate);
  QScrollBar* bar = log.view.verticalScrollBar();
  int value = 0;
  for (auto _ : state) {
    value = (value + 40) % std::max(1, bar->maximum());
    bar->setValue(value);
    log.view.viewport()->repaint();
  }
}
BENCHMARK(BM_ScrollWidget)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove(BigLog());
  return 0;
}
