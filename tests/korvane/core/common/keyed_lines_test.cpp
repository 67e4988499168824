#include "korvane/core/common/keyed_lines.h"

#include <gtest/gtest.h>

#include <random>

#include "korvane/core/common/text.h"

namespace korvane {
namespace {

using Lines = std::vector<std::string>;

TEST(KeyedLines, FirstCaseInsensitiveMatchOfAWholeName) {
  EXPECT_EQ(KeyedLines::NameOf("a=b=c"), "a");
  EXPECT_EQ(KeyedLines::ValueOf("a=b=c"), "b=c");
  EXPECT_EQ(KeyedLines::ValueOf("[Section]"), "");
  EXPECT_FALSE(KeyedLines::HasName("[Section]"));

  // Built from lines at once; the random test below covers the edits.
  KeyedLines k(
      {"[Section]", "; comment", "Date Written=0", "Runcontrol.DebugMode=Y", "DATE WRITTEN=later"});
  EXPECT_EQ(k.Value("date written"), "0");  // the first match wins
  EXPECT_EQ(k.IndexOfName("Date Written"), 2);
  EXPECT_EQ(k.IndexOfName("[Section]"), -1);   // a line without "=" never matches
  EXPECT_EQ(k.IndexOfName("Runcontrol"), -1);  // names are whole, not prefixes
}

// Edits the random test below does not make, and indexes outside the list.
TEST(KeyedLines, LineEditsKeepLookupsRight) {
  KeyedLines k({"A=1", "a=2"});
  k.SetLine(0, "B=9");  // the later duplicate surfaces
  EXPECT_EQ(k.Value("a"), "2");
  k.Insert(99, "C=3");  // past the end appends
  k.Erase(99);          // out of range is ignored
  EXPECT_EQ(k.Lines(), (Lines{"B=9", "a=2", "C=3"}));
  k.SetLines({"x=1", "plain"});
  EXPECT_EQ(k.Value("X"), "1");
  EXPECT_EQ(k.Value("a"), "");
}

TEST(KeyedLines, NamesFoldLatin1AndKeepTheirSpellingOnReplace) {
  KeyedLines k({"\xC4nderung=1"});
  EXPECT_EQ(k.Value("\xE4NDERUNG"), "1");
  k.SetValue("\xE4nderung", "2");
  EXPECT_EQ(k.Lines(), Lines{"\xE4nderung=2"});
}

// Random edits checked against a plain first-match scan, so the index can never drift; the
// names repeat in both cases, so replacing, deleting and the surfacing of a later duplicate
// are all compared line for line.
TEST(KeyedLines, AgreesWithLinearScanUnderRandomEdits) {
  const auto naiveIndex = [](const Lines& lines, const std::string& name) {
    for (size_t i = 0; i < lines.size(); ++i) {
      const std::string& line = lines[i];
      if (KeyedLines::HasName(line) && EqualsNoCase(KeyedLines::NameOf(line), name)) {
        return static_cast<int>(i);
      }
    }
    return -1;
  };
  const std::string names[] = {"a", "A", "b", "B", "ab", "", "a=b"};
  std::mt19937 rng(7);
  KeyedLines k;
  Lines model;
  for (int step = 0; step < 20000; ++step) {
    const std::string& name = names[rng() % std::size(names)];
    const std::string value = rng() % 4 == 0 ? "" : std::to_string(rng() % 10);
    std::string keyed = name;
    keyed.append("=").append(value);
    switch (rng() % 6) {
      case 0: {
        k.SetValue(name, value);
        const int at = naiveIndex(model, name);
        if (value.empty()) {
          if (at >= 0) model.erase(model.begin() + at);
        } else if (at >= 0) {
          model[static_cast<size_t>(at)] = keyed;
        } else {
          model.push_back(keyed);
        }
        break;
      }
      case 1: {
        const std::string line = rng() % 3 == 0 ? "plain" : keyed;
        k.Append(line);
        model.push_back(line);
        break;
      }
      case 2:
        if (!model.empty()) {
          const size_t at = rng() % model.size();
          k.Erase(at);
          model.erase(model.begin() + static_cast<long>(at));
        }
        break;
      case 3: {
        const size_t at = rng() % (model.size() + 1);
        k.Insert(at, keyed);
        model.insert(model.begin() + static_cast<long>(at), keyed);
        break;
      }
      default: {
        const int at = naiveIndex(model, name);
        ASSERT_EQ(k.IndexOfName(name), at) << "step " << step;
        ASSERT_EQ(k.Value(name), at < 0 ? "" : KeyedLines::ValueOf(model[static_cast<size_t>(at)]));
      }
    }
    if (model.size() > 40) {
      model.clear();
      k.Clear();
    }
    ASSERT_EQ(k.Lines(), model);
  }
}

}  // namespace
}  // namespace korvane
