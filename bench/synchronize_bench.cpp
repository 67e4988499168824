// Synchronising a job of 9,998 sources (transaction wrapping, label and RTF files in
// place) and 2,000 copy members when nothing has to change: one listing per folder and
// hashed lookups keep this well under a quarter of a second.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "korvane/core/sources/synchronize.h"

namespace {

namespace fs = std::filesystem;

class Job {
 public:
  Job() {
    std::string pattern = (fs::temp_directory_path() / "korvane_bench_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    base_ = pattern;
    for (const char* folder :
         {"SourceCollection", "CopyCollection", "LabelCollection", "RTFCollection"}) {
      fs::create_directories(base_ + "/" + folder);
    }
    for (int i = 0; i < 9998; ++i) {
      const std::string name = "PROG" + std::to_string(i) + ".cbl";
      std::ofstream(base_ + "/SourceCollection/" + name) << "src\r\n";
      std::ofstream(base_ + "/LabelCollection/" + name) << "MASK:" << name << "\r\n";
      std::ofstream(base_ + "/RTFCollection/PROG" + std::to_string(i) + ".rtf") << "{}";
      sources.Add({name + "=/orig/" + name, true, true});
      marks.Keyed().Append(name + ".WrpT=Onl");
      marks.Keyed().Append(name + ".Lbl=Y");
    }
    for (int i = 0; i < 2000; ++i) {
      const std::string name = "COPY" + std::to_string(i) + ".cpy";
      std::ofstream(base_ + "/CopyCollection/" + name) << "copy\r\n";
      copies.Add({name + "=/orig/" + name, true, true});
    }
  }
  ~Job() {
    std::error_code ec;
    if (!base_.empty()) fs::remove_all(base_, ec);
  }

  const std::string& Base() const { return base_; }
  korvane::CheckList sources{"CheckListBoxSelectedFiles", "PanelSelectedFiles"};
  korvane::CheckList copies{"CheckListBoxUsedCopies", "PanelUsedCopies"};
  korvane::StringListHolder marks{"StLHWrapperMarks", "TfrmKorvaneMain"};

 private:
  std::string base_;
};

void BM_SynchronizeUnchanged(benchmark::State& state) {
  static Job job;
  bool modified = false;
  for (auto _ : state) {
    const bool ok = korvane::SynchronizeJobDirectories(
        {job.sources, job.copies, job.marks, true, job.Base(), &modified});
    if (!ok || modified || job.sources.Items().size() != 9998) {
      state.SkipWithError("the job changed");
      break;
    }
  }
}
BENCHMARK(BM_SynchronizeUnchanged)->Unit(benchmark::kMillisecond);

}  // namespace
