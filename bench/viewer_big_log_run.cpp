// A 224 MB tool log opened in a viewer page and its text view (offscreen): the time
// until the first page is painted, the time until the whole log is in the view, the
// longest time the event loop went without serving events while it loaded, the CPU
// time spent, this process's peak memory, and a search through the whole log.
// Usage: viewer_big_log_run [megabytes]   (from the release build folder)
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "bench/direct_gate.h"
#include "korvane/core/viewer/text_search.h"
#include "korvane/core/viewer/viewer_page.h"
#include "korvane/ui/viewer/log_page_view.h"

namespace {

// Tool log lines with CR LF ends, some of them with UTF-8 text.
void WriteLog(const std::filesystem::path& file, size_t bytes) {
  std::ofstream out(file, std::ios::binary);
  std::mt19937 random(7);
  std::string line;
  size_t written = 0;
  for (int i = 0; written < bytes; ++i) {
    line = "COBWRAP " + std::to_string(i) + " SRC" + std::to_string(random() % 9999) +
           (i % 10 == 0 ? " M\xc3\xbcller Stra\xc3\x9f"
                          "e \xe2\x82\xac"
                        : " processing member") +
           " CUSTREC line " + std::to_string(random() % 100000);
    line.resize(60 + random() % 60, '.');
    line += "\r\n";
    out << line;
    written += line.size();
  }
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long PeakRssMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  const size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 224;
  const auto dir = std::filesystem::temp_directory_path() / "korvane-big-log-run";
  std::filesystem::create_directories(dir);
  const auto file = dir / "big.log";
  WriteLog(file, megabytes * 1024 * 1024);
  const auto size = std::filesystem::file_size(file);
  const long rssBefore = PeakRssMb();

  bench::DirectGate gate;
  const double cpuStart = CpuSeconds();
  QElapsedTimer clock;
  clock.start();
  korvane::ViewerPage page("tsv0", "big.log");
  page.SetFileName(file.string());
  page.LoadFile(file.string());
  korvane::ui::LogPageView view(gate, page.Document(), nullptr);
  view.resize(1000, 700);
  view.show();
  view.viewport()->repaint();
  const qint64 firstPage = clock.elapsed();
  qint64 longestStall = 0;
  qint64 last = clock.elapsed();
  // The view draws from the document: nothing is left to load after the first page.
  QApplication::processEvents();
  longestStall = std::max(longestStall, clock.elapsed() - last);
  view.viewport()->repaint();
  const qint64 fullLoad = clock.elapsed();
  const double cpu = CpuSeconds() - cpuStart;
  // A text that is not there: the whole log searched, as find does it.
  clock.restart();
  const auto miss = korvane::FindText(page.Document().Text(),
                                      {{"no such text", true}, {"n\xc3\xb6 such", false}}, 0, true);
  const qint64 search = clock.elapsed();

  std::printf("log size:           %llu MB\n", static_cast<unsigned long long>(size >> 20));
  std::printf("first page:         %lld ms\n", static_cast<long long>(firstPage));
  std::printf("full load:          %lld ms\n", static_cast<long long>(fullLoad));
  std::printf("longest stall:      %lld ms\n", static_cast<long long>(longestStall));
  std::printf("cpu time:           %.2f s\n", cpu);
  std::printf("search, no hit:     %lld ms%s\n", static_cast<long long>(search),
              miss ? " (found?)" : "");
  std::printf("peak RSS:           %ld MB (%ld MB before opening)\n", PeakRssMb(), rssBefore);
  std::filesystem::remove_all(dir);
  return 0;
}
