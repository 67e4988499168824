// Searching a page's text: case, both byte forms of a text, going round to the top. The
// cases are in tests/data/viewer/search.txt: "search FROM ROUND FORMS TEXT", the forms
// split at "," and each "l:" (Latin-1 letters folded too) or "u:" (ASCII only).
#include "korvane/core/viewer/text_search.h"

#include <gtest/gtest.h>

#include <string>

#include "support/svc_scenario.h"

namespace korvane {
namespace {

TEST(TextSearch, FindsCaseFoldedFormsFromThePositionAndGoesRoundWhenAsked) {
  testing::Scenario s({});
  s.On("search", [&s](const testing::ScenarioCommand& c) {
    std::vector<SearchForm> forms;
    for (size_t at = 0, end; at <= c[2].size(); at = end + 1) {
      end = c[2].find(',', at);
      if (end == std::string::npos) end = c[2].size();
      forms.push_back({c[2].substr(at + 2, end - at - 2), c[2][at] == 'l'});
    }
    std::string text = c.rest;
    for (int skip = 0; skip < 3; ++skip) text.erase(0, text.find(' ') + 1);
    if (c.words.size() < 4) text.clear();
    const auto match = FindText(text, forms, c.Int(0), c[1] == "round");
    s.out("found", match ? std::to_string(match->start) + "+" + std::to_string(match->length) +
                               (match->wrapped ? " after going round" : "")
                         : std::string("nothing"));
  });
  s.Run("viewer/search.txt");
}

}  // namespace
}  // namespace korvane
