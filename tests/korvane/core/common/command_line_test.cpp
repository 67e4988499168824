#include "korvane/core/common/command_line.h"

#include <gtest/gtest.h>

#include "support/inner_case_table.h"

namespace korvane {
namespace {

using testing::Fields;

TEST(CommandLine, SwitchesAndTheirValues) {
  testing::ExpectCaseTable("common/command_line.txt", [](const Fields& in) {
    if (in[0] == "HasSwitch") {
      const CommandLine line(Fields(in.begin() + 3, in.end()));
      return Fields{line.HasSwitch(in[1], in[2] == "on") ? "on" : "off"};
    }
    std::string value = "stale";
    const bool found = CommandLine(Fields(in.begin() + 2, in.end())).SwitchValue(in[1], value);
    return Fields{found ? "found" : "not found", value};
  });
}

}  // namespace
}  // namespace korvane
