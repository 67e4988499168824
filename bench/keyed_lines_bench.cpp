// Setting and reading keys of a configuration-sized and a job-sized keyed line list.
// Both must grow linearly with the number of lines: the name index is the reason.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "korvane/core/common/keyed_lines.h"

namespace {

std::string Name(int i) {
  return "SRC" + std::to_string(i) + ".WrpT";
}

// n distinct keys set into an empty list, then set again (replacements).
void BM_SetValueDistinct(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    korvane::KeyedLines lines;
    for (int i = 0; i < n; ++i) lines.SetValue(Name(i), "Onl");
    for (int i = 0; i < n; ++i) lines.SetValue(Name(i), "File");
    benchmark::DoNotOptimize(lines.size());
  }
  state.SetComplexityN(n);
}
BENCHMARK(BM_SetValueDistinct)->Arg(1000)->Arg(10000)->Arg(30000)->Complexity();

// Lookups on a loaded file, every key once plus as many misses; the first lookup after
// loading pays for the index.
void BM_ValueAfterLoad(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<std::string> text;
  text.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) text.push_back(Name(i) + "=Onl");
  for (auto _ : state) {
    korvane::KeyedLines lines(text);
    size_t total = 0;
    for (int i = 0; i < n; ++i) total += lines.Value(Name(i)).size();
    for (int i = 0; i < n; ++i) total += lines.Value("missing" + std::to_string(i)).size();
    benchmark::DoNotOptimize(total);
  }
  state.SetComplexityN(n);
}
BENCHMARK(BM_ValueAfterLoad)->Arg(1000)->Arg(10000)->Arg(30000)->Complexity();

}  // namespace
