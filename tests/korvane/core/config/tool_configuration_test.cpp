// What the configuration adds to the keyed lines, the text routines and the comma text:
// its parenthesised key lists, the extras' defaults, the file filters and the result
// masks. The cases are in tests/data/config/tool_configuration.txt.
#include "korvane/core/config/tool_configuration.h"

#include <gtest/gtest.h>

#include "korvane/core/common/status_bar.h"
#include "korvane/core/common/text.h"
#include "support/scripted_person.h"
#include "support/svc_scenario.h"

namespace korvane {
namespace {

TEST(ToolConfigurationTest, KeyListsExtrasFiltersAndResultMasks) {
  testing::ScriptedPerson person;
  StatusBar status{person};
  ToolConfiguration config;
  testing::Scenario s({});
  testing::Observations& o = s.out;
  using Command = testing::ScenarioCommand;
  s.On("line", [&](const Command& c) {
    std::vector<std::string> lines = config.Lines();
    lines.push_back(c.rest);
    config.SetLines(lines);
  });
  s.On("clear", [&](const Command&) { config.SetLines({}); });
  s.On("key-list",
       [&](const Command& c) { o("items", ToolConfiguration::KeyList(c.rest).Lines()); });
  s.On("extras", [&](const Command& c) {
    o("extras", config.Extras(c[0]).Lines());
    o("depth", ZeroPrefixedInt(config.Extras(c[0]).Value("DirDepth")));
  });
  s.On("int", [&](const Command& c) {
    try {
      o("int", config.IntValue(c[0]));
    } catch (const ConversionError& e) {
      o("conversion error", e.what());
    }
  });
  s.On("filter", [&](const Command& c) {
    o("filter", config.FilterFor(c[0], c.words.size() > 1 ? c[1] : "", status));
    o("status", status.Text() + (status.Colour() == StatusColour::Neutral ? "" : " (coloured)"));
  });
  s.On("masks", [&](const Command& c) { o("masks", config.ResultMasks(c[0])); });
  s.Run("config/tool_configuration.txt");
}

}  // namespace
}  // namespace korvane
