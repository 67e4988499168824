#include "korvane/core/run/console_lines.h"

#include <gtest/gtest.h>

#include <random>

#include "korvane/core/common/text.h"

namespace korvane {
namespace {

using Lines = std::vector<std::string>;

// Feeds the chunks in order and returns every line they complete.
Lines FeedAll(ConsoleLineSplitter& splitter, const std::vector<std::string>& chunks) {
  Lines lines;
  for (const std::string& chunk : chunks) splitter.Feed(chunk, lines);
  return lines;
}

// An unfinished line waits for the next chunks; a CR ending one chunk and the LF starting
// the next are one break, even with an empty chunk between them.
TEST(ConsoleLines, CarriesAnUnfinishedLineAndABreakCutInTwoIntoTheNextChunks) {
  ConsoleLineSplitter s;
  EXPECT_EQ(FeedAll(s, {"ab", "c", "de", "f\r\ng"}), (Lines{"abcdef"}));
  EXPECT_EQ(s.Pending(), "g");
  EXPECT_EQ(s.Feed("h\ni"), (Lines{"gh"}));
  EXPECT_EQ(s.TakePending(), "i");
  EXPECT_EQ(s.TakePending(), "");
  EXPECT_EQ(FeedAll(s, {"abc\r", "", "\n", "\n", "\r\n"}), (Lines{"abc", "", ""}));
}

TEST(ConsoleLines, LinesDoNotDependOnWhereTheChunksAreCut) {
  const std::string stream =
      "Orig Source File = A.cbl\r\nline two\nline three\r\rfive\r\n\r\nseven\n\r\n\rlast";
  const Lines expected = SplitLines(stream);
  std::mt19937 random(7);
  for (int round = 0; round < 1000; ++round) {
    std::vector<std::string> chunks;
    for (std::size_t at = 0; at < stream.size();) {
      const std::size_t length = random() % 8;  // empty chunks too
      chunks.push_back(stream.substr(at, length));
      at += length;
    }
    ConsoleLineSplitter s;
    Lines lines = FeedAll(s, chunks);
    lines.push_back(s.TakePending());
    ASSERT_EQ(lines, expected) << "round " << round;
  }
}

TEST(ConsoleLines, KeepsEveryByteAsItIs) {
  ConsoleLineSplitter s;
  const std::string odd("\xe4\x00\xff\tx", 5);
  EXPECT_EQ(s.Feed(odd + "\r\n"), (Lines{odd}));
}

}  // namespace
}  // namespace korvane
