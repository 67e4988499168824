#include "stelmar/core/file_parse.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/inner_case_table.h"
#include "support/temp_dir.h"

namespace stelmar {
namespace {

using Tokens = std::vector<std::pair<int, std::string>>;

Tokens Tokenize(const std::string& text) {
  FileParse parse;
  parse.OpenText(text);
  Tokens tokens;
  for (int type = parse.NextToken(); type != kEndOfFile; type = parse.NextToken())
    tokens.emplace_back(type, parse.Token());
  return tokens;
}

TEST(FileParse, TokenTable) {
  korvane::testing::ExpectCaseTable("stelmar/tokens.txt", [](const korvane::testing::Fields& in) {
    korvane::testing::Fields tokens;
    for (const auto& [type, token] : Tokenize(in[0]))
      tokens.push_back(std::to_string(type) + " " + token);
    return tokens;
  });
}

TEST(FileParse, LongGroupsAndLinesAreReadInPieces) {
  // A group stops at 160 characters; the rest is read as further tokens.
  const std::string b(200, 'B');
  EXPECT_EQ(Tokenize("(" + b + ")"),
            (Tokens{{5, "(" + b.substr(41)}, {2, b.substr(159)}, {7, ")"}}));
  // A 400-character line comes in pieces of 321: a word is split at the piece end.
  const std::string w(160, 'W');
  EXPECT_EQ(Tokenize(std::string(400, 'W') + "\nEND"),
            (Tokens{{999, w}, {999, w}, {2, "W"}, {2, w.substr(81)}, {2, "END"}}));
}

TEST(FileParse, KeepsTheTwoTokensBeforeTheCurrentOne) {
  FileParse parse;
  parse.OpenText("A (B) C");
  parse.NextToken();
  parse.NextToken();
  EXPECT_EQ(parse.NextToken(), kWord);
  EXPECT_EQ(parse.Token(), "C");
  EXPECT_EQ(parse.PreviousToken(), "(B)");
  EXPECT_EQ(parse.PreviousType(), kParenthesised);
  EXPECT_EQ(parse.TokenBeforePrevious(), "A");
  EXPECT_EQ(parse.NextToken(), kEndOfFile);
  EXPECT_EQ(parse.NextToken(), kEndOfFile);
}

TEST(FileParse, SkippedCommentRestoresTheTokensBeforeIt) {
  FileParse parse;
  // Inside a comment quotes and parentheses are single tokens, so an open
  // quote or parenthesis cannot swallow the comment's end.
  parse.OpenText("X Y /* a /* 'b ( */ c( */ Z");
  parse.NextToken();
  parse.NextToken();
  ASSERT_EQ(parse.NextToken(), kOther);
  parse.SkipComment();
  EXPECT_EQ(parse.Token(), "Y");
  EXPECT_EQ(parse.PreviousToken(), "X");
  EXPECT_EQ(parse.NextToken(), kWord);
  EXPECT_EQ(parse.Token(), "Z");
  EXPECT_EQ(parse.PreviousToken(), "Y");
  EXPECT_EQ(parse.PreviousType(), kWord);
  EXPECT_EQ(parse.TokenBeforePrevious(), "X");
}

TEST(FileParse, ReadsFilesAndRefusesWhatItCannotOpen) {
  korvane::testing::TempDir dir;
  FileParse parse;
  EXPECT_FALSE(parse.Open(dir / "missing.pli"));
  EXPECT_EQ(parse.NextToken(), kEndOfFile);
  EXPECT_FALSE(parse.Open(dir.Path().string()));  // a directory is no source

  // Longer than the read buffer, so lines straddle its refills.
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "A" + std::to_string(i) + " = 1;\n";
  ASSERT_TRUE(parse.Open(dir.Write("big.pli", text)));
  int words = 0;
  std::string last;
  for (int type = parse.NextToken(); type != kEndOfFile; type = parse.NextToken()) {
    if (type == kWord) {
      ++words;
      last = parse.Token();
    }
  }
  EXPECT_EQ(words, 20000);
  EXPECT_EQ(last, "A19999");
  EXPECT_EQ(parse.LinesRead(), 20000);
}

}  // namespace
}  // namespace stelmar
