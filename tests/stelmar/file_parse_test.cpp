#include "stelmar/core/file_parse.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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

struct Case {
  const char* name;
  std::string text;
  Tokens expected;
};

TEST(FileParse, TokenTable) {
  const std::string letters170(170, 'A');
  const std::string digits165(165, '7');
  const std::vector<Case> cases = {
      {"words, numbers, hash words",
       "DCL #ABC A$B_1 12AB _X;",
       {{2, "DCL"}, {8, "#ABC"}, {2, "A$B_1"}, {3, "12"}, {2, "AB"}, {2, "_X"}, {7, ";"}}},
      {"quotes close at the same quote",
       "X='it''s' \"a'b\"",
       {{2, "X"}, {7, "="}, {4, "'it'"}, {4, "'s'"}, {4, "\"a'b\""}}},
      {"parentheses nest, quoted ones do not count",
       "F(A(1), ')', B) G",
       {{2, "F"}, {5, "(A(1), ')', B)"}, {2, "G"}}},
      {"brackets nest", "[a[b]c] d", {{6, "[a[b]c]"}, {2, "d"}}},
      {"backslash escapes inside groups",
       "'a\\'b' (\\)) x",
       {{4, "'a\\'b'"}, {5, "(\\))"}, {2, "x"}}},
      {"backslash token and a lone one at line end", "\\x y \\", {{7, "\\x"}, {2, "y"}, {7, "\\"}}},
      {"two-character marks",
       "a/*b*/c//d",
       {{2, "a"}, {7, "/*"}, {2, "b"}, {7, "*/"}, {2, "c"}, {7, "//"}, {2, "d"}}},
      {"punctuation runs", "a+=b->c", {{2, "a"}, {7, "+="}, {2, "b"}, {7, "->"}, {2, "c"}}},
      {"runs stop before stop characters",
       "a;;b={}c**d:(e)",
       {{2, "a"},
        {7, ";"},
        {7, ";"},
        {2, "b"},
        {7, "="},
        {7, "{"},
        {7, "}"},
        {2, "c"},
        {7, "*"},
        {7, "*"},
        {2, "d"},
        {7, ":"},
        {5, "(e)"}}},
      {"runs stop before a character followed by a slash or star",
       "+-/*x",
       {{7, "+"}, {7, "-"}, {7, "/*"}, {2, "x"}}},
      {"a group continues on the next line with nothing between",
       "X = 'AB\nCD';",
       {{2, "X"}, {7, "="}, {4, "'ABCD'"}, {7, ";"}}},
      {"empty and star lines are skipped, also inside a group",
       "* A B\n\n(C\n* skipped\nD) *E",
       {{5, "(CD)"}, {7, "*"}, {2, "E"}}},
      {"CR LF ends a line", "A\r\nB\r\n", {{2, "A"}, {2, "B"}}},
      {"control characters are blanks",
       "A\tB\x01"
       "C",
       {{2, "A"}, {2, "B"}, {2, "C"}}},
      {"a word longer than 160 is cut",
       letters170,
       {{999, std::string(160, 'A')}, {2, std::string(10, 'A')}}},
      {"a number longer than 160 is cut",
       digits165,
       {{999, std::string(160, '7')}, {3, std::string(5, '7')}}},
      {"an unterminated group ends at end of file", "'abc", {{4, "'abc"}}},
      {"empty source", "", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Tokenize(c.text), c.expected) << c.name;
}

TEST(FileParse, LongGroupsAndLinesAreReadInPieces) {
  // A group stops at 160 characters; the rest is read as further tokens.
  const Tokens group = Tokenize("(" + std::string(200, 'B') + ")");
  ASSERT_EQ(group.size(), 3u);
  EXPECT_EQ(group[0], (std::pair<int, std::string>{5, "(" + std::string(159, 'B')}));
  EXPECT_EQ(group[1], (std::pair<int, std::string>{2, std::string(41, 'B')}));
  EXPECT_EQ(group[2], (std::pair<int, std::string>{7, ")"}));

  // A 400-character line comes in pieces of 321: a word is split at the piece end.
  const Tokens line = Tokenize(std::string(400, 'W') + "\nEND");
  ASSERT_EQ(line.size(), 5u);
  EXPECT_EQ(line[0].first, 999);
  EXPECT_EQ(line[1].first, 999);
  EXPECT_EQ(line[2], (std::pair<int, std::string>{2, "W"}));
  EXPECT_EQ(line[3], (std::pair<int, std::string>{2, std::string(79, 'W')}));
  EXPECT_EQ(line[4], (std::pair<int, std::string>{2, "END"}));
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
