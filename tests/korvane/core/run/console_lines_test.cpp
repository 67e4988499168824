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

TEST(ConsoleLines, SplitsAChunkAtEveryKindOfLineBreak) {
  ConsoleLineSplitter s;
  EXPECT_EQ(s.Feed("a\r\nb\rc\nd\r\n"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(s.Pending(), "");
  EXPECT_EQ(s.Feed("x\n\ny\r\r\n"), (Lines{"x", "", "y", ""}));
  EXPECT_EQ(s.Feed(""), Lines{});
  EXPECT_EQ(s.Pending(), "");
}

TEST(ConsoleLines, CarriesAnUnfinishedLineIntoTheNextChunks) {
  ConsoleLineSplitter s;
  EXPECT_EQ(FeedAll(s, {"abc", "def\r\n"}), (Lines{"abcdef"}));
  // Several chunks without a break all add to the pending line.
  EXPECT_EQ(FeedAll(s, {"ab", "c", "de", "f\r\ng"}), (Lines{"abcdef"}));
  EXPECT_EQ(s.Pending(), "g");
  EXPECT_EQ(s.Feed("h\ni"), (Lines{"gh"}));
  EXPECT_EQ(s.TakePending(), "i");
  EXPECT_EQ(s.Pending(), "");
  EXPECT_EQ(s.TakePending(), "");
}

TEST(ConsoleLines, ABreakAtTheStartOfAChunkEndsThePendingLineOnce) {
  ConsoleLineSplitter s;
  EXPECT_EQ(FeedAll(s, {"abc\r\n", "\r\nx\r\n"}), (Lines{"abc", "", "x"}));
  EXPECT_EQ(FeedAll(s, {"abc", "\r\nx\r\n"}), (Lines{"abc", "x"}));
  EXPECT_EQ(FeedAll(s, {"abc", "\ndef\n"}), (Lines{"abc", "def"}));
  EXPECT_EQ(FeedAll(s, {"abc", "\r\n"}), (Lines{"abc"}));
  EXPECT_EQ(FeedAll(s, {"abc", "\rdef\r"}), (Lines{"abc", "def"}));
  ConsoleLineSplitter fresh;
  EXPECT_EQ(FeedAll(fresh, {"\n", "\r\n"}), (Lines{"", ""}));
}

TEST(ConsoleLines, ACarriageReturnEndingOneChunkAndALineFeedStartingTheNextAreOneBreak) {
  ConsoleLineSplitter s;
  EXPECT_EQ(FeedAll(s, {"abc\r", "\ndef\r\n"}), (Lines{"abc", "def"}));
  // The LF alone as a chunk, then a real LF: only the first one is taken.
  EXPECT_EQ(FeedAll(s, {"abc\r", "\n", "\n"}), (Lines{"abc", ""}));
  // An empty chunk between them changes nothing.
  EXPECT_EQ(FeedAll(s, {"x\r", "", "\ny"}), (Lines{"x"}));
  EXPECT_EQ(s.Pending(), "y");
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
