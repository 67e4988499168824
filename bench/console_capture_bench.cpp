// A tool writing 1,000,000 console lines of 80 characters, once into /dev/null and
// once captured through the console stub, split into lines and handed to an
// interface queue, side by side. The ratio of the two times is the cost of
// capturing; peak_rss_mb is this process's peak memory (the capture's buffers).
// Two tools: a bare writer that puts out whole buffers, and the stand-in wrapper tool,
// which writes its lines one by one as a real tool does.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "korvane/core/run/tool_watcher.h"
#include "korvane/core/run/ui_dispatcher.h"
#include "platform/process.h"

namespace {

constexpr const char* kLines = "lines:1000000:80";

// The stand-in wrapper tool flooding its console for one entity of a minimal job in a
// folder of its own.
std::vector<std::string> StandinFlood() {
  static const std::filesystem::path dir = [] {
    auto path = std::filesystem::temp_directory_path() / "korvane-capture-bench";
    std::filesystem::create_directories(path / "out");
    std::ofstream(path / "last.xml")
        << "<Job SystemName = \"bench\">\r\n<Input_Dir>in</Input_Dir>\r\n"
           "<Output_Dir>out</Output_Dir>\r\n<Copy_Dir>in</Copy_Dir>\r\n"
           "<File_0001>SRC0001.CBL</File_0001>\r\n<Orig_File_0001>A.cbl</Orig_File_0001>\r\n";
    setenv("KORVANE_STANDIN_FLOOD", "1000000", 1);
    return path;
  }();
  std::filesystem::current_path(dir);
  return {KORVANE_STANDIN, "last.xml;0001"};
}

double PeakRssMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::vector<std::string> Tool(const benchmark::State& state) {
  if (state.range(0) == 0) return {KORVANE_LINE_WRITER, kLines};
  return StandinFlood();
}

void BM_ToolToDevNull(benchmark::State& state) {
  const std::vector<std::string> tool = Tool(state);
  for (auto _ : state) {
    platform::ProcessOptions options;
    options.argv = tool;
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
  const std::vector<std::string> tool = Tool(state);
  const std::size_t expected = state.range(0) == 0 ? 1000000 : 1000003;  // and its own lines
  std::size_t lines = 0;
  for (auto _ : state) {
    platform::ProcessOptions options;
    options.argv = {KORVANE_QUILLSTUB};
    options.argv.insert(options.argv.end(), tool.begin(), tool.end());
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
    if (listener.lines != expected) {
      state.SkipWithError(("lines were lost: " + std::to_string(listener.lines)).c_str());
    }
    lines = listener.lines;
  }
  state.counters["lines"] = static_cast<double>(lines);
  state.counters["peak_rss_mb"] = PeakRssMb();
}

}  // namespace

// Argument 0: the bare writer; 1: the stand-in wrapper tool.
BENCHMARK(BM_ToolToDevNull)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_CapturedThroughStub)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
