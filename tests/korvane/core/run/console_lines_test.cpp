#include "korvane/core/run/console_lines.h"

#include <gtest/gtest.h>

#include <random>

#include "korvane/core/common/text.h"

namespace korvane {
namespace {

using Lines = std::vector<std::string>;

// An unfinished line waits for the next chunks, and a CR ending one chunk with the LF
// starting the next (an empty chunk between them or not) is one break: wherever the
// stream is cut, the lines are those of the whole text, every byte kept as it is.
TEST(ConsoleLines, LinesDoNotDependOnWhereTheChunksAreCut) {
  const std::string stream = std::string("Orig Source File = A.cbl\r\nline two\nline three\r\r") +
                             std::string("\xe4\x00\xff\tx\r\n\r\nseven\n\r\n\rlast", 22);
  const Lines expected = SplitLines(stream);
  std::mt19937 random(7);
  for (int round = 0; round < 1000; ++round) {
    ConsoleLineSplitter s;
    Lines lines;
    for (std::size_t at = 0; at < stream.size();) {
      const std::size_t length = random() % 8;  // empty chunks too
      if (round % 2 == 0) {
        s.Feed(stream.substr(at, length), lines);
      } else {
        for (std::string& line : s.Feed(stream.substr(at, length))) lines.push_back(line);
      }
      at += length;
    }
    lines.push_back(s.TakePending());
    ASSERT_EQ(lines, expected) << "round " << round;
    ASSERT_EQ(s.TakePending(), "");
  }
}

}  // namespace
}  // namespace korvane
