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

TEST(FileParse, KeepsTheTwoTokensBeforeTheCurrentOneAndSkipsComments) {
  korvane::testing::ExpectCaseTable("stelmar/token_history.txt", [](const auto& in) {
    FileParse parse;
    parse.OpenText(in[0]);
    korvane::testing::Fields states;
    for (const char step : in[1]) {
      std::string gave = "skipped";
      if (step == 'n') {
        gave = std::to_string(parse.NextToken());
      } else {
        parse.SkipComment();
      }
      states.push_back(gave + ": " + parse.Token() + " after " +
                       std::to_string(parse.PreviousType()) + " " + parse.PreviousToken() +
                       " after " + parse.TokenBeforePrevious());
    }
    return states;
  });
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
