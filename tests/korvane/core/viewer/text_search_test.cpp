// Searching a page's text: case, both byte forms of a text, going round to the top.
#include "korvane/core/viewer/text_search.h"

#include <gtest/gtest.h>

#include <string>

namespace korvane {
namespace {

size_t StartOf(const std::optional<TextMatch>& match) {
  return match ? match->start : std::string::npos;
}

TEST(TextSearch, FindsFromThePositionOnIgnoringCase) {
  const std::string text = "Error in CUSTREC\nerror in custrpt\nERROR again";
  EXPECT_EQ(StartOf(FindText(text, {{"error", true}}, 0, false)), 0u);
  EXPECT_EQ(StartOf(FindText(text, {{"error", true}}, 1, false)), 17u);
  EXPECT_EQ(StartOf(FindText(text, {{"CustRpt", true}}, 0, false)), 26u);
  EXPECT_EQ(StartOf(FindText(text, {{"again", true}}, 0, false)), 40u);  // at the very end
  EXPECT_FALSE(FindText(text, {{"again!", true}}, 0, false));
  EXPECT_FALSE(FindText(text, {{"", true}}, 0, true));
  EXPECT_FALSE(FindText("", {{"x", true}}, 0, true));
  // A position past the end is the end.
  EXPECT_FALSE(FindText(text, {{"error", true}}, 1000, false));
  // Near misses and repeats that a wrong skip would step over.
  EXPECT_EQ(StartOf(FindText("aaab", {{"AAB", true}}, 0, false)), 1u);
  EXPECT_EQ(StartOf(FindText("abcabdabd", {{"aBd", true}}, 0, false)), 3u);
  EXPECT_EQ(StartOf(FindText("xyzxyZZxyz", {{"zz", true}}, 0, false)), 5u);
  EXPECT_EQ(StartOf(FindText("ab", {{"b", true}}, 0, false)), 1u);
  // Latin-1 letters fold in single-byte text.
  EXPECT_EQ(StartOf(FindText("Stra\xdf"
                             "e CAF\xc9",
                             {{"caf\xe9", true}}, 0, false)),
            7u);
}

TEST(TextSearch, GoesRoundToTheTopOnlyWhenAskedAndSaysSo) {
  const std::string text = "alpha beta alpha gamma";
  const auto on = FindText(text, {{"alpha", true}}, 12, true);
  ASSERT_TRUE(on);
  EXPECT_EQ(on->start, 0u);
  EXPECT_EQ(on->length, 5u);
  EXPECT_TRUE(on->wrapped);
  EXPECT_FALSE(FindText(text, {{"alpha", true}}, 12, false));
  const auto ahead = FindText(text, {{"alpha", true}}, 6, true);
  ASSERT_TRUE(ahead);
  EXPECT_EQ(ahead->start, 11u);
  EXPECT_FALSE(ahead->wrapped);
  // The only match straddles the position: found on the way round.
  const auto straddling = FindText(text, {{"gamma", true}}, 19, true);
  ASSERT_TRUE(straddling);
  EXPECT_EQ(straddling->start, 17u);
  EXPECT_TRUE(straddling->wrapped);
  EXPECT_FALSE(FindText(text, {{"delta", true}}, 5, true));
}

TEST(TextSearch, TakesTheEarliestOfTheTextsByteForms) {
  // "Müller" as UTF-8 on the second line and as Latin-1 on the first.
  const std::string text = "M\xfcller 1\nM\xc3\xbcller 2\nMUELLER";
  const std::vector<SearchForm> forms = {{"m\xc3\xbcller", false}, {"m\xfcller", true}};
  const auto first = FindText(text, forms, 0, true);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->start, 0u);
  EXPECT_EQ(first->length, 6u);
  const auto second = FindText(text, forms, 1, true);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->start, 9u);
  EXPECT_EQ(second->length, 7u);
  EXPECT_TRUE(FindText(text, forms, 10, true)->wrapped);
}

TEST(TextSearch, FoldsOnlyAsciiInUtf8Forms) {
  // "ü" (C3 BC) must not match the bytes of U+F3C, whose lead E3 is "ã" in Latin-1
  // and folds to C3 there.
  const std::string text = "x\xe3\xbc\xbc y \xc3\x9c";
  EXPECT_EQ(StartOf(FindText(text, {{"\xc3\xbc", false}}, 0, false)), std::string::npos);
  EXPECT_EQ(StartOf(FindText(text, {{"\xc3\xbc", true}}, 0, false)), 1u);
  EXPECT_EQ(StartOf(FindText(text, {{"X", false}}, 0, false)), 0u);
}

TEST(TextSearch, FindsTheLastMatchOfALongText) {
  std::string text(2 * 1024 * 1024, '.');
  text += "needle";
  text += std::string(100, '.');
  EXPECT_EQ(StartOf(FindText(text, {{"NEEDLE", true}}, 0, false)), 2u * 1024 * 1024);
  EXPECT_EQ(StartOf(FindText(text, {{"needle", true}}, 2u * 1024 * 1024 + 1, true)),
            2u * 1024 * 1024);
}

}  // namespace
}  // namespace korvane
