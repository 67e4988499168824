// Loads a source with copy statements against a copy library, both taken from the input,
// in every copy syntax, and checks that each result line is an input line as it was or a
// line marked by the expansion ("insert" for the column layout, "*" for assembler).

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "korvane/core/common/text.h"
#include "korvane/core/sources/copy_library.h"

namespace {

namespace fs = std::filesystem;

void Check(bool ok) {
  if (!ok) std::abort();
}

// One job folder for the whole run, removed when the process ends.
struct JobFolder {
  JobFolder() {
    std::string pattern = (fs::temp_directory_path() / "korvane_copy_fuzz_XXXXXX").string();
    Check(::mkdtemp(pattern.data()) != nullptr);
    base = pattern;
    fs::create_directories(base + "/CopyCollection/sub");
  }
  ~JobFolder() {
    std::error_code ec;
    fs::remove_all(base, ec);
  }
  std::string base;
};

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static JobFolder job;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  // Source text, then up to two members, separated by NUL bytes.
  std::string_view parts[3];
  for (int i = 0; i < 3 && !input.empty(); ++i) {
    const size_t cut = i < 2 ? input.find('\0') : std::string_view::npos;
    parts[i] = input.substr(0, cut);
    input = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);
  }
  const std::string source = job.base + "/source.txt";
  WriteFile(source, parts[0]);
  WriteFile(job.base + "/CopyCollection/PAYLIB.cpy", parts[1]);
  WriteFile(job.base + "/CopyCollection/sub/regs", parts[2]);

  std::unordered_set<std::string> inputLines;
  for (const auto& part : parts) {
    for (std::string& line : korvane::SplitLines(part)) inputLines.insert(std::move(line));
  }
  for (int lang = 0; lang < 3; ++lang) {
    std::vector<std::string> lines;
    std::vector<std::string> unresolved;
    korvane::LoadSourceWithCopies(job.base, lang, source, lines, &unresolved);
    const std::string_view mark = lang == 1 ? "*" : "insert";
    for (const std::string& line : lines) {
      Check(inputLines.count(line) != 0 || std::string_view(line).starts_with(mark));
    }
  }
  return 0;
}
