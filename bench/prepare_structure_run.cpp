// Builds the input structure of a generated job once and reports the time, for
// prepare_vs_cp.sh. Usage: prepare_structure_run generate <dir> | build <dir>
#include <chrono>
#include <iostream>
#include <string>

#include "bench/prepare_harness.h"
#include "korvane/core/common/operation_abort.h"

int main(int argc, char** argv) {
  using namespace prepare_bench;
  constexpr int kSources = 9998;
  if (argc != 3) {
    std::cerr << "usage: prepare_structure_run generate|build <dir>\n";
    return 2;
  }
  const std::string mode = argv[1];
  const fs::path base = argv[2];
  if (mode == "generate") {
    GenerateJob(base, kSources, 2000);
    return 0;
  }
  Harness h(base, kSources);
  const auto start = std::chrono::steady_clock::now();
  try {
    h.preparation.BuildInputStructure(false);
  } catch (const korvane::OperationAbort&) {
    std::cerr << "aborted: " << h.status.Text() << "\n";
    return 1;
  }
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - start)
                      .count();
  std::cout << "input structure: " << ms << " ms, " << h.preparation.Report().TotalLines()
            << " lines, " << h.preparation.Report().UnresolvedCount() << " unresolved\n";
  return 0;
}
