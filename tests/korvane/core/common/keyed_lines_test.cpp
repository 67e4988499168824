#include "korvane/core/common/keyed_lines.h"

#include <gtest/gtest.h>

#include <random>

#include "korvane/core/common/text.h"
#include "support/inner_case_table.h"

namespace korvane {
namespace {

using Lines = std::vector<std::string>;

TEST(KeyedLines, LookupsAndEdits) {
  KeyedLines k;
  testing::ExpectCaseTable("common/keyed_lines.txt", [&](const Lines& in) {
    const std::string& op = in[0];
    if (op == "parts") {
      return Lines{KeyedLines::NameOf(in[1]), KeyedLines::ValueOf(in[1]),
                   KeyedLines::HasName(in[1]) ? "has a name" : "no name"};
    }
    if (op == "value") return Lines{k.Value(in[1])};
    if (op == "index") return Lines{std::to_string(k.IndexOfName(in[1]))};
    if (op == "lines") k = KeyedLines(Lines(in.begin() + 1, in.end()));
    if (op == "setlines") k.SetLines(Lines(in.begin() + 1, in.end()));
    if (op == "setline") k.SetLine(std::stoul(in[1]), in[2]);
    if (op == "insert") k.Insert(std::stoul(in[1]), in[2]);
    if (op == "erase") k.Erase(std::stoul(in[1]));
    if (op == "setvalue") k.SetValue(in[1], in[2]);
    return k.Lines();
  });
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
