#include "korvane/core/common/text.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/inner_case_table.h"

namespace korvane {
namespace {

using testing::Fields;

std::string Bool(bool b) {
  return b ? "true" : "false";
}

TEST(Text, CaseTable) {
  using Fn = std::function<Fields(const Fields&)>;
  const auto one = [](std::string (*fn)(std::string_view)) {
    return [fn](const Fields& in) { return Fields{fn(in[1])}; };
  };
  const auto two = [](bool (*fn)(std::string_view, std::string_view)) {
    return [fn](const Fields& in) { return Fields{Bool(fn(in[1], in[2]))}; };
  };
  const std::string kSliced = "abcdef";
  const std::map<std::string, Fn> functions = {
      {"ToUpper", one(ToUpper)},
      {"ToLower", one(ToLower)},
      {"Trim", one(Trim)},
      {"TrimLeft", one(TrimLeft)},
      {"TrimRight", one(TrimRight)},
      {"ProperCase", one(ProperCase)},
      {"CollapseRepeats",
       [](const Fields& in) { return Fields{CollapseRepeats(in[1], in[2][0])}; }},
      {"Parts",
       [](const Fields& in) {
         return Fields{BeforeFirst(in[1], in[2]), BeforeLast(in[1], in[2]),
                       AfterFirst(in[1], in[2]), AfterLast(in[1], in[2])};
       }},
      {"Ends",
       [&](const Fields& in) {
         return Fields{LeftPart(kSliced, std::stoi(in[1])), RightPart(kSliced, std::stoi(in[1]))};
       }},
      {"Slice",
       [&](const Fields& in) {
         return Fields{Slice(kSliced, std::stoi(in[1]), std::stoi(in[2]))};
       }},
      {"EqualsNoCase", two(EqualsNoCase)},
      {"StartsWithCase", two(StartsWithCase)},
      {"StartsWithText", two(StartsWithText)},
      {"CountLeadingSpaces",
       [](const Fields& in) { return Fields{std::to_string(CountLeadingSpaces(in[1]))}; }},
      {"PosFrom",
       [](const Fields& in) {
         return Fields{std::to_string(PosFrom(in[1], in[2], std::stoi(in[3]), in[4] == "case"))};
       }},
      {"StrToBoolStrict", [](const Fields& in) { return Fields{Bool(StrToBoolStrict(in[1]))}; }},
      {"StrToBoolDefault",
       [](const Fields& in) { return Fields{Bool(StrToBoolDefault(in[1], in[2] == "1"))}; }},
      {"ZeroPrefixedInt",
       [](const Fields& in) { return Fields{std::to_string(ZeroPrefixedInt(in[1]))}; }},
      {"SplitLines", [](const Fields& in) { return SplitLines(in[1]); }},
      {"JoinLinesCrLf",
       [](const Fields& in) { return Fields{JoinLinesCrLf(Fields(in.begin() + 1, in.end()))}; }},
  };
  testing::ExpectCaseTable("common/text.txt", [&](const Fields& in) {
    try {
      return functions.at(in[0])(in);
    } catch (const ConversionError& e) {
      return Fields{"error: " + std::string(e.what())};
    }
  });
}

}  // namespace
}  // namespace korvane
