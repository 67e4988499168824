#include "korvane/core/run/console_lines.h"

#include "korvane/core/common/text.h"

namespace korvane {

void ConsoleLineSplitter::Feed(std::string_view chunk, std::vector<std::string>& lines) {
  if (chunk.empty()) return;
  // The LF of a CR LF that the reads cut apart.
  if (endedWithCr_ && chunk.front() == '\n') chunk.remove_prefix(1);
  endedWithCr_ = false;
  if (chunk.empty()) return;
  endedWithCr_ = chunk.back() == '\r';
  const bool ended = endedWithCr_ || chunk.back() == '\n';

  // The pending line goes in front of the chunk's first line; a break at the
  // very start of the chunk simply ends it.
  std::vector<std::string> parts = SplitLines(chunk);
  if (!pending_.empty()) {
    if (chunk.front() == '\r' || chunk.front() == '\n') {
      lines.push_back(std::move(pending_));
      parts.erase(parts.begin());
    } else {
      parts.front().insert(0, pending_);
    }
    pending_.clear();
  }
  if (!ended) {
    pending_ = std::move(parts.back());
    parts.pop_back();
  }
  for (std::string& part : parts) lines.push_back(std::move(part));
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
