#include "korvane/core/wordlist/wrl_file.h"

#include <cstdio>

#include "korvane/core/common/text.h"
#include "korvane/core/common/text_file.h"

namespace korvane {

namespace {

// printf's "%4.4d" and "%2.2d": at least that many digits, a minus sign in front.
std::string Padded(long long value, int digits) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.*lld", digits, value);
  return buffer;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Where the entry of a line starts: column 9 (index 8) for the usual field widths, or
// behind the number and length fields when they were widened. A line that does not
// start with the two fields uses the fixed column.
size_t EntryStart(std::string_view line) {
  size_t i = 0;
  while (i < line.size() && IsDigit(line[i])) ++i;
  if (i < 4 || i >= line.size() || line[i] != ' ') return 8;
  size_t j = i + 1;
  if (j < line.size() && line[j] == '-') ++j;
  const size_t digits = j;
  while (j < line.size() && IsDigit(line[j])) ++j;
  if (j - digits < 2 || j >= line.size() || line[j] != ' ') return 8;
  return j + 1;
}

}  // namespace

std::string ControlWordEntry(std::string_view type, std::string_view word) {
  std::string padded = std::string(type) + "   ";
  padded.resize(4, ' ');
  return padded + " " + std::string(word);
}

std::vector<std::string> FormatWordList(const std::vector<CheckListItem>& words,
                                        const std::vector<CheckListItem>& objects) {
  std::vector<std::string> lines;
  for (const CheckListItem& item : words) {
    if (!item.checked) continue;
    const std::string entry = Trim(item.text);
    lines.push_back(Padded(static_cast<long long>(lines.size()) + 1, 4) + " " +
                    Padded(static_cast<long long>(entry.size()) - 5, 2) + " " + entry);
  }
  for (const CheckListItem& item : objects) {
    if (!item.checked) continue;
    const std::string entry = Trim(item.text);
    lines.push_back(Padded(static_cast<long long>(lines.size()) + 1, 4) + " " +
                    Padded(static_cast<long long>(entry.size()), 2) + " OBJT " + entry);
  }
  return lines;
}

ParsedWordList ParseWordList(const std::vector<std::string>& lines) {
  ParsedWordList parsed;
  for (const std::string& line : lines) {
    const size_t start = EntryStart(line);
    const std::string_view entry =
        start < line.size() ? std::string_view(line).substr(start) : std::string_view();
    if (entry.substr(0, 4) == "OBJT") {
      parsed.objects.emplace_back(entry.size() > 5 ? entry.substr(5) : std::string_view());
    } else {
      parsed.words.emplace_back(entry);
    }
  }
  return parsed;
}

void ReadWordList(const std::string& path, CheckList& words, CheckList& objects) {
  const ParsedWordList parsed = ParseWordList(ReadTextLines(path));
  auto append = [](CheckList& list, const std::vector<std::string>& entries) {
    if (entries.empty()) return;
    auto& items = list.MutableItems();
    for (const std::string& entry : entries) items.push_back({entry, true, true});
    list.Touch();
  };
  append(words, parsed.words);
  append(objects, parsed.objects);
}

void WriteWordList(const std::string& path, const CheckList& words, const CheckList& objects) {
  const Outcome written =
      WriteTextLinesAtomic(path, FormatWordList(words.Items(), objects.Items()));
  if (!written) throw FileError(path, 0, written.Why());
}

}  // namespace korvane
