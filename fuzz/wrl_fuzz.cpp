// Reads arbitrary text as a .wrl file and writes what was read back out: no input may
// crash the reader, and reading the written file must give the same entries again.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "korvane/core/common/text.h"
#include "korvane/core/wordlist/wrl_file.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

std::vector<korvane::CheckListItem> Checked(const std::vector<std::string>& entries) {
  std::vector<korvane::CheckListItem> items;
  for (const std::string& e : entries) items.push_back({e, true, true});
  return items;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = korvane::SplitLines(text);
  const korvane::ParsedWordList first = korvane::ParseWordList(lines);
  Check(first.words.size() + first.objects.size() == lines.size());

  const std::vector<std::string> written =
      korvane::FormatWordList(Checked(first.words), Checked(first.objects));
  Check(written.size() == lines.size());
  const korvane::ParsedWordList second = korvane::ParseWordList(written);
  Check(second.words.size() + second.objects.size() == written.size());
  // Entries are trimmed on writing; an object survives as an object, and a control word
  // as a control word unless its trimmed text itself starts with the object marker.
  size_t words = 0;
  for (const std::string& w : first.words) {
    if (korvane::Trim(w).rfind("OBJT", 0) != 0) ++words;
  }
  Check(second.words.size() == words);
  Check(second.objects.size() == first.objects.size() + (first.words.size() - words));
  for (size_t i = 0; i < first.objects.size(); ++i) {
    Check(second.objects[first.words.size() - words + i] == korvane::Trim(first.objects[i]));
  }
  return 0;
}
