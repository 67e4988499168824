#include "korvane/core/common/keyed_lines.h"

#include <gtest/gtest.h>

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
    if (op == "append") k.Append(in[1]);
    if (op == "clear") k.Clear();
    return k.Lines();
  });
}

}  // namespace
}  // namespace korvane
