#include "korvane/core/run/console_lines.h"

#include <cstring>

namespace korvane {

void ConsoleLineSplitter::Feed(std::string_view chunk, std::vector<std::string>& lines) {
  if (chunk.empty()) return;
  // The LF of a CR LF that the reads cut apart.
  if (endedWithCr_ && chunk.front() == '\n') chunk.remove_prefix(1);
  endedWithCr_ = false;
  if (chunk.empty()) return;
  endedWithCr_ = chunk.back() == '\r';

  // A tool may write a million lines: find the breaks with memchr, not byte by byte.
  const char* text = chunk.data();
  const size_t size = chunk.size();
  size_t begin = 0;
  while (begin < size) {
    const auto* lf = static_cast<const char*>(std::memchr(text + begin, '\n', size - begin));
    const size_t lfAt = lf != nullptr ? static_cast<size_t>(lf - text) : size;
    const auto* cr = static_cast<const char*>(std::memchr(text + begin, '\r', lfAt - begin));
    size_t lineEnd = 0;
    size_t next = 0;
    if (cr != nullptr) {
      lineEnd = static_cast<size_t>(cr - text);
      next = lineEnd + 1 < size && text[lineEnd + 1] == '\n' ? lineEnd + 2 : lineEnd + 1;
    } else if (lf != nullptr) {
      lineEnd = lfAt;
      next = lfAt + 1;
    } else {
      // No break left: the rest waits for the next read.
      pending_.append(text + begin, size - begin);
      return;
    }
    if (pending_.empty()) {
      lines.emplace_back(text + begin, lineEnd - begin);
    } else {
      pending_.append(text + begin, lineEnd - begin);
      lines.push_back(std::move(pending_));
      pending_.clear();
    }
    begin = next;
  }
}

std::vector<std::string> ConsoleLineSplitter::Feed(std::string_view chunk) {
  std::vector<std::string> lines;
  Feed(chunk, lines);
  return lines;
}

std::string ConsoleLineSplitter::TakePending() {
  std::string pending = std::move(pending_);
  pending_.clear();
  return pending;
}

}  // namespace korvane
