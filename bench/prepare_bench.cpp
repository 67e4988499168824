// The job parameter file with its name map and batch lines for 9,998 sources, and
// renaming 9,998 results after a run next to a plain rename(2) loop as the yardstick.

#include <benchmark/benchmark.h>
#include <stdio.h>
#include <stdlib.h>

#include "bench/prepare_harness.h"
#include "korvane/core/prepare/job_parameters.h"
#include "korvane/core/prepare/wrapper_contract.h"

namespace {

using namespace prepare_bench;
namespace n = korvane::names;
constexpr int kSources = 9998;

void BM_JobParameters(benchmark::State& state) {
  korvane::JobParameterInput in;
  in.productName = "PROD";
  in.systemName = "SYS";
  in.base = "/jobs/large/";
  in.wrapRequested = true;
  in.interfaceType = "XML";
  in.multi = true;
  in.linkerShown = true;
  in.linkerProgram = "/tools/COBWrap/COBLink";
  in.wrapperPrograms = {{"File", "/tools/COBWrap/Ardent"}, {"Onl", "/tools/COBWrap/Dalmer"}};
  in.copyLibraryShown = true;
  for (int m = 0; m < 2000; ++m) {
    in.copyMembers.push_back({"MEM" + std::to_string(m) + ".cpy",
                              "/tools/COBWrap/Copylib/MEM" + std::to_string(m) + ".cpy"});
  }
  for (int i = 0; i < kSources; ++i) {
    const std::string name = "PROG" + std::to_string(i) + (i % 3 == 0 ? ".cobol" : ".cbl");
    in.sources.push_back({name, "/orig/" + name, i % 10 != 0, i % 2 == 0 ? "File" : "Onl"});
  }
  for (auto _ : state) {
    korvane::JobParameters out = korvane::BuildJobParameters(in);
    benchmark::DoNotOptimize(out.nameMap.data());
  }
}
BENCHMARK(BM_JobParameters)->Unit(benchmark::kMillisecond);

fs::path MakeRoot() {
  std::string pattern = (fs::temp_directory_path() / "korvane_prep_XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) std::abort();
  return pattern;
}

void WriteResults(const fs::path& wrapOut) {
  fs::create_directories(wrapOut);
  for (int i = 1; i <= kSources; ++i) {
    std::ofstream(wrapOut / (korvane::contract::EntityStem(i) + ".xml")) << "r";
  }
}

void BM_RenameResults(benchmark::State& state) {
  const fs::path root = MakeRoot();
  Harness h(root, kSources);
  std::vector<std::string> map;
  for (int i = 1; i <= kSources; ++i) {
    map.push_back(korvane::contract::EntityStem(i) + "=PROG" + std::to_string(i - 1) + ".cbl");
  }
  h.form.Get<korvane::Memo>(n::kMemoNewFileNames).SetLines(map);
  for (auto _ : state) {
    state.PauseTiming();
    std::error_code ec;
    fs::remove_all(root / "WrapOut", ec);
    WriteResults(root / "WrapOut");
    state.ResumeTiming();
    h.preparation.RenameResults();
  }
  if (!fs::exists(root / "WrapOut/PROG0.xml")) state.SkipWithError("nothing renamed");
  fs::remove_all(root);
}
BENCHMARK(BM_RenameResults)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PlainRenameYardstick(benchmark::State& state) {
  const fs::path root = MakeRoot();
  for (auto _ : state) {
    state.PauseTiming();
    std::error_code ec;
    fs::remove_all(root / "WrapOut", ec);
    WriteResults(root / "WrapOut");
    state.ResumeTiming();
    for (int i = 1; i <= kSources; ++i) {
      const std::string from =
          (root / "WrapOut" / (korvane::contract::EntityStem(i) + ".xml")).string();
      const std::string to =
          (root / "WrapOut" / ("PROG" + std::to_string(i - 1) + ".xml")).string();
      ::rename(from.c_str(), to.c_str());
    }
  }
  fs::remove_all(root);
}
BENCHMARK(BM_PlainRenameYardstick)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
