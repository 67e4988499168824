// A run's console fed one line at a time through the memo binder into a shown
// QPlainTextEdit, events processed every 100 lines as the window would. The
// time per 10,000 lines must not grow with the lines already shown.
//
// BM_ConsoleAppend is the binder of the view; BM_WholeTextPerLine is the
// binder it replaced (the whole text set again on every change), kept here
// as the yardstick.

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QPlainTextEdit>

#include <chrono>
#include <string>
#include <vector>

#include "bench/direct_gate.h"
#include "korvane/core/components/controls.h"
#include "korvane/ui/binders.h"

namespace {

using bench::DirectGate;

std::string ConsoleLine(int i) {
  std::string line = "COBWRAP " + std::to_string(i) + " processing member ";
  line.resize(80, 'X');
  return line;
}

// A console as the main window has it: read-only, a few lines high, shown.
struct Console {
  Console() {
    memo.SetReadOnly(true);
    widget.resize(900, 140);
    widget.show();
  }
  korvane::Memo memo{"MemoCaptureConsole", ""};
  QPlainTextEdit widget;
};

// Seconds until the widget shows all lines.
template <typename Append>
double AppendLines(const Console& console, int lines, Append append) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < lines; ++i) {
    append(i);
    if (i % 100 == 99) QCoreApplication::processEvents();
  }
  while (console.widget.document()->blockCount() < lines) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Report(benchmark::State& state, int lines, double seconds) {
  state.SetIterationTime(seconds);
  state.counters["ms_per_10k"] = benchmark::Counter(seconds * 1000.0 * 10000.0 / lines);
}

void BM_ConsoleAppend(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  DirectGate gate;
  for (auto _ : state) {
    Console console;
    korvane::ui::BindMemo(gate, console.memo, &console.widget);
    const double seconds =
        AppendLines(console, lines, [&](int i) { console.memo.AppendLine(ConsoleLine(i)); });
    Report(state, lines, seconds);
  }
  state.SetComplexityN(lines);
}
BENCHMARK(BM_ConsoleAppend)
    ->DenseRange(10000, 100000, 10000)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The replaced binder: every change joined all lines and set the whole text.
void BM_WholeTextPerLine(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  for (auto _ : state) {
    Console console;
    std::vector<std::string> shown;
    const double seconds = AppendLines(console, lines, [&](int i) {
      shown.push_back(ConsoleLine(i));
      QString text;
      for (size_t k = 0; k < shown.size(); ++k) {
        if (k > 0) text += '\n';
        text += QString::fromLatin1(shown[k].data(), static_cast<qsizetype>(shown[k].size()));
      }
      if (console.widget.toPlainText() != text) console.widget.setPlainText(text);
    });
    Report(state, lines, seconds);
  }
  state.SetComplexityN(lines);
}
BENCHMARK(BM_WholeTextPerLine)
    ->Arg(1000)
    ->Arg(4000)
    ->Arg(8000)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNSquared);

}  // namespace

// Qt needs its application object before any widget, on a platform that
// needs no display.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  {
    // Fonts and the platform's first paint are set up once, not per benchmark.
    DirectGate gate;
    Console console;
    korvane::ui::BindMemo(gate, console.memo, &console.widget);
    AppendLines(console, 1000, [&](int i) { console.memo.AppendLine(ConsoleLine(i)); });
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
