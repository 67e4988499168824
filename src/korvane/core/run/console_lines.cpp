#include "korvane/core/run/console_lines.h"

#include "korvane/core/common/text.h"

namespace korvane {

void ConsoleLineSplitter::Feed(std::string_view chunk, std::vector<std::string>& lines) {
  if (chunk.empty()) return;
  std::string line = std::move(pending_);
  pending_.clear();
  if (chunk.starts_with("\r\n") || chunk.front() == '\n') {
    lines.push_back(std::move(line));
    line.clear();
  }
  std::vector<std::string> parts = SplitLines(chunk);
  // LF ends a line as CR and CR LF do: console programs here end lines with LF
  // alone, and holding such a line back would glue it to the next one.
  const bool ended = chunk.back() == '\r' || chunk.back() == '\n';
  std::string tail;
  if (!ended && !parts.empty()) {
    tail = std::move(parts.back());
    parts.pop_back();
  }
  for (std::string& part : parts) {
    line += part;
    lines.push_back(std::move(line));
    line.clear();
  }
  // A chunk that ends no line adds to the pending line rather than replacing it.
  pending_ = std::move(line) + tail;
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
