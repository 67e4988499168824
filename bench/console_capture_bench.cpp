// A tool writing 1,000,000 console lines of 80 characters, once into /dev/null and
// once captured through the console stub, split into lines and handed to an
// interface queue, side by side. The ratio of the two times is the cost of
// capturing; peak_rss_mb is this process's peak memory (the capture's buffers).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "korvane/core/run/tool_watcher.h"
#include "korvane/core/run/ui_dispatcher.h"
#include "platform/process.h"

namespace {

constexpr const char* kLines = "lines:1000000:80";

double PeakRssMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_ToolToDevNull(benchmark::State& state) {
  for (auto _ : state) {
    platform::ProcessOptions options;
    options.argv = {KORVANE_LINE_WRITER, kLines};
    options.outputFile = "/dev/null";
    int error = 0;
    auto process = platform::Process::Start(options, error);
    if (!process) state.SkipWithError("could not start the line writer");
    process->WaitFor(std::chrono::milliseconds(-1));
  }
}

struct CountingListener : korvane::WatcherListener {
  std::size_t lines = 0;
  std::size_t bytes = 0;
  bool ended = false;
  void OnConsoleLines(const std::vector<std::string>& batch) override {
    lines += batch.size();
    for (const std::string& line : batch) bytes += line.size();
  }
  void OnRunEnded(const korvane::RunEnd&) override { ended = true; }
};

void BM_CapturedThroughStub(benchmark::State& state) {
  std::size_t lines = 0;
  for (auto _ : state) {
    platform::ProcessOptions options;
    options.argv = {KORVANE_QUILLSTUB, KORVANE_LINE_WRITER, kLines};
    options.captureOutput = true;
    options.pipeInput = true;
    int error = 0;
    auto process = platform::Process::Start(options, error);
    if (!process) state.SkipWithError("could not start the stub");
    korvane::QueueDispatcher ui;
    CountingListener listener;
    korvane::WatcherOptions watch;
    watch.captureConsole = true;
    korvane::ToolWatcher watcher(std::move(process), ui, listener, watch);
    watcher.Start();
    ui.RunUntil([&] { return listener.ended; }, std::chrono::minutes(5));
    if (listener.lines != 1000000) {
      state.SkipWithError(("lines were lost: " + std::to_string(listener.lines)).c_str());
    }
    lines = listener.lines;
  }
  state.counters["lines"] = static_cast<double>(lines);
  state.counters["peak_rss_mb"] = PeakRssMb();
}

}  // namespace

BENCHMARK(BM_ToolToDevNull)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_CapturedThroughStub)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
