// Searching a tree of 10,000 files (100 folders of 100) with an extension list and a
// pattern, as adding a large source directory does.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "korvane/core/common/find_files.h"

namespace {

namespace fs = std::filesystem;

class Tree {
 public:
  Tree() {
    std::string pattern = (fs::temp_directory_path() / "korvane_bench_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    root_ = pattern;
    const char* const extensions[] = {".cbl", ".cpy", ".txt", ".CBL"};
    for (int d = 0; d < 100; ++d) {
      const fs::path folder = root_ / ("dir" + std::to_string(d));
      fs::create_directories(folder);
      for (int f = 0; f < 100; ++f) {
        std::ofstream(folder / ("PROG" + std::to_string(d * 100 + f) + extensions[f % 4]));
      }
    }
  }
  ~Tree() {
    std::error_code ec;
    if (!root_.empty()) fs::remove_all(root_, ec);
  }
  std::string Root() const { return root_.string(); }

 private:
  fs::path root_;
};

Tree& SharedTree() {
  static Tree tree;
  return tree;
}

void BM_FindFilesAll(benchmark::State& state) {
  const std::string root = SharedTree().Root();
  for (auto _ : state) {
    std::vector<std::string> found;
    korvane::FindFiles(root, "", "", -1, found, "*.*");
    if (found.size() != 10000) state.SkipWithError("tree incomplete");
    benchmark::DoNotOptimize(found.data());
  }
}
BENCHMARK(BM_FindFilesAll)->Unit(benchmark::kMillisecond);

void BM_FindFilesFiltered(benchmark::State& state) {
  const std::string root = SharedTree().Root();
  for (auto _ : state) {
    std::vector<std::string> found;
    korvane::FindFiles(root, "", "prog*", -1, found,
                       "COBOL sources;*.cbl;*.cob;Copies;*.cpy;*.inc;*.mac;*.asm;*.pli");
    benchmark::DoNotOptimize(found.data());
  }
}
BENCHMARK(BM_FindFilesFiltered)->Unit(benchmark::kMillisecond);

}  // namespace
