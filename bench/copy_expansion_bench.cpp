// Loading a 100,000-line COBOL source with 1,000 copy statements (200 members of 20
// lines) and writing the expanded text, against only reading the source and writing the
// same amount of text: the expansion should cost at most as much again.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "korvane/core/common/text_file.h"
#include "korvane/core/sources/copy_library.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLines = 100000;
constexpr int kCopyEvery = 100;
constexpr int kMembers = 200;

std::string Seq(int n) {
  std::string s = std::to_string(n % 1000000);
  return std::string(6 - s.size(), '0') + s;
}

// The bench's own files: a failed write ends it, or it would measure nothing.
void Write(const std::string& path, const std::vector<std::string>& lines) {
  if (const korvane::Outcome written = korvane::WriteTextLinesAtomic(path, lines); !written) {
    throw std::runtime_error(path + ": " + written.Why());
  }
}

class Job {
 public:
  Job() {
    std::string pattern = (fs::temp_directory_path() / "korvane_bench_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    base_ = pattern;
    fs::create_directories(base_ + "/CopyCollection");
    for (int m = 0; m < kMembers; ++m) {
      std::vector<std::string> member;
      for (int i = 0; i < 20; ++i) {
        member.push_back(Seq(i) + " 05 FIELD-" + std::to_string(i) + " PIC X(10).");
      }
      Write(base_ + "/CopyCollection/MEMB" + std::to_string(m) + ".cpy", member);
    }
    std::vector<std::string> source;
    for (int i = 0; i < kLines; ++i) {
      if (i % kCopyEvery == 0) {
        source.push_back(Seq(i) + "     COPY MEMB" + std::to_string(i / kCopyEvery % kMembers) +
                         ".");
      } else {
        source.push_back(Seq(i) + "     MOVE WS-FIELD-A TO WS-FIELD-B.");
      }
    }
    Write(Source(), source);
  }
  ~Job() {
    std::error_code ec;
    if (!base_.empty()) fs::remove_all(base_, ec);
  }
  const std::string& Base() const { return base_; }
  std::string Source() const { return base_ + "/prog.cbl"; }
  std::string Output() const { return base_ + "/SRC0001.cbl"; }

 private:
  std::string base_;
};

Job& TheJob() {
  static Job job;
  return job;
}

void BM_LoadWithCopiesAndWrite(benchmark::State& state) {
  Job& job = TheJob();
  for (auto _ : state) {
    std::vector<std::string> lines;
    korvane::LoadSourceWithCopies(job.Base(), 0, job.Source(), lines, nullptr);
    if (!korvane::WriteTextLinesAtomic(job.Output(), lines)) state.SkipWithError("write failed");
    benchmark::DoNotOptimize(lines.size());
  }
}
BENCHMARK(BM_LoadWithCopiesAndWrite)->Unit(benchmark::kMillisecond);

// The floor: reading the source and writing text of the expanded size.
void BM_ReadSourceAndWriteExpanded(benchmark::State& state) {
  Job& job = TheJob();
  std::vector<std::string> expanded;
  korvane::LoadSourceWithCopies(job.Base(), 0, job.Source(), expanded, nullptr);
  for (auto _ : state) {
    std::vector<std::string> lines = korvane::ReadTextLines(job.Source());
    if (!korvane::WriteTextLinesAtomic(job.Output(), expanded)) {
      state.SkipWithError("write failed");
    }
    benchmark::DoNotOptimize(lines.size());
  }
}
BENCHMARK(BM_ReadSourceAndWriteExpanded)->Unit(benchmark::kMillisecond);

}  // namespace
