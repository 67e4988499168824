#include "korvane/core/components/inc_combo.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/inner_case_table.h"

namespace korvane {
namespace {

using Mode = IncCombo::SearchMode;
using Items = std::vector<std::string>;

void FillWrapTypes(IncCombo& combo) {
  combo.SetClearBeforeFill(true);
  combo.AddWithKey("Transaction wrapping", "Onl");
  combo.AddWithKey("File wrapping", "File");
  combo.AddWithKey("Subprogram wrapping", "Module");
  combo.AddWithKey("Procedure  wrapping", "Proc");
  combo.AddWithKey("Interface wrapping", "Intr");
}

// A combo filled as the shell fills the wrapping types, driven by a script: plain characters
// are typed (so "\b" and "\x1b" are edits), a word in braces is one step of the view or the
// program (see Steps), and "|" forgets the events so far, so that a case checks only what
// its last steps did.
class Scripted {
 public:
  explicit Scripted(const std::string& script) {
    keep.Add(combo.beeped.Connect([this] { ++beeps_; }));
    keep.Add(combo.textChanged.Connect([this] { ++changes_; }));
    keep.Add(combo.fullValueFound.Connect([this] { ++fullValues_; }));
    keep.Add(combo.enterPressed.Connect([this] { events_ += 'E'; }));
    keep.Add(combo.escPressed.Connect([this] { events_ += 'X'; }));
    keep.Add(combo.clicked.Connect([this] { events_ += 'K'; }));
    keep.Add(combo.searchTextChanged.Connect([this] { announced_ += combo.SearchText() + "/"; }));
    FillWrapTypes(combo);
    Do(script);
  }

  void Do(const std::string& script) {
    for (size_t i = 0; i < script.size(); ++i) {
      if (script[i] == '|') {
        beeps_ = changes_ = fullValues_ = 0;
        events_ = consumed_ = announced_ = "";
      } else if (script[i] == '{') {
        const size_t end = script.find('}', i);
        const std::string word = script.substr(i + 1, end - i - 1);
        const size_t colon = word.find(':');
        Steps().at(word.substr(0, colon))(colon == std::string::npos ? "" : word.substr(colon + 1));
        i = end;
      } else {
        combo.TypeChar(script[i]);
      }
    }
  }

  // Everything a case can check, as text. Key presses and navigation keys note 1 or 0 for
  // consumed; the enter, escape and click events are E, X and K.
  std::map<std::string, std::string> Facts() const {
    return {{"text", combo.EditText()},
            {"index", std::to_string(combo.ItemIndex())},
            {"sel", std::to_string(combo.SelStart()) + "," + std::to_string(combo.SelLength())},
            {"search", combo.SearchText()},
            {"mode", combo.Mode() == Mode::Prefix ? "prefix" : "contains"},
            {"filtered", combo.Filtered() ? "yes" : "no"},
            {"dropped", combo.DroppedDown() ? "yes" : "no"},
            {"key", combo.SecondInd()},
            {"shown", std::to_string(combo.Items().size())},
            {"items", Joined(combo.Items())},
            {"keys", Joined(combo.KeyLines())},
            {"beeps", std::to_string(beeps_)},
            {"full", std::to_string(fullValues_)},
            {"changes", std::to_string(changes_)},
            {"consumed", consumed_},
            {"events", events_},
            {"announced", announced_}};
  }

  IncCombo combo;
  ConnectionList keep;

 private:
  using Step = std::function<void(const std::string&)>;
  std::map<std::string, Step> Steps() {
    auto press = [this](char key) { return [this, key](auto&) { Note(combo.KeyPress(key)); }; };
    auto nav = [this](IncCombo::Key key) {
      return [this, key](auto&) { Note(combo.KeyDown(key)); };
    };
    return {
        {"ret", press(IncCombo::kEnter)},
        {"esc", press(IncCombo::kEscape)},
        {"bs", press(IncCombo::kBackspace)},
        {"home", nav(IncCombo::Key::Home)},
        {"end", nav(IncCombo::Key::End)},
        {"left", nav(IncCombo::Key::Left)},
        {"set", [this](auto& text) { combo.SetEditText(text); }},
        {"key", [this](auto& key) { combo.SetSecondInd(key); }},
        {"item", [this](auto& index) { combo.SetItemIndex(std::stoi(index)); }},
        {"drop", [this](auto&) { combo.DropDown(); }},
        {"close", [this](auto&) { combo.CloseUp(); }},
        {"click", [this](auto&) { combo.Click(); }},
        {"enter", [this](auto&) { combo.Enter(); }},
        {"exit", [this](auto&) { combo.Exit(); }},
        {"add",
         [this](auto& item) {
           combo.AddWithKey(item.substr(0, item.find('=')), item.substr(item.find('=') + 1));
         }},
        {"additem", [this](auto& caption) { combo.AddItem(caption); }},
        {"notrim", [this](auto&) { combo.SetTrim(false); }},
        {"clear", [this](auto&) { combo.SetClearBeforeFill(true); }},
        {"noext", [this](auto&) { combo.SetAllowExtendedSearch(false); }},
        {"free", [this](auto&) { combo.SetAllowTextEntry(true); }},
        {"nosearch", [this](auto&) { combo.SetAllowSearch(false); }},
        {"pick",
         [this](auto&) {
           combo.SetClearBeforeFill(true);
           combo.SetPickOnly(true);
           for (const char* item : {"RPC", "IDL", "XML", "WSDL"}) combo.AddWithKey(item, item);
         }},
    };
  }
  static std::string Joined(const Items& lines) {
    std::string out;
    for (const auto& line : lines) out += line + "/";
    return out;
  }
  void Note(bool consumed) { consumed_ += consumed ? '1' : '0'; }

  int beeps_ = 0, changes_ = 0, fullValues_ = 0;
  std::string events_, consumed_, announced_;
};

TEST(IncComboScript, KeysAndEventsDriveSearchSelectionAndFilter) {
  testing::ExpectCaseTable("components/inc_combo.txt", [](const testing::Fields& in) {
    const auto facts = Scripted(in[0]).Facts();
    testing::Fields shown;
    std::istringstream names(in[1]);
    for (std::string name; names >> name;) shown.push_back(name + "=" + facts.at(name));
    for (const char* always : {"beeps", "full", "consumed", "events"}) {
      const std::string& value = facts.at(always);
      const bool none = value.empty() || (value == "0" && always[0] != 'c');
      if (!none) shown.push_back(always + ("=" + value));
    }
    return shown;
  });
}

// What typing cannot show: where a match lies, and that Latin-1 letters fold.
TEST(IncCombo, MatchingAndFinding) {
  IncCombo combo;
  EXPECT_TRUE(combo.MatchesSearch("\xE9t\xE9", "\xC9T\xC9 mode"));
  EXPECT_FALSE(combo.MatchesSearch("WRAP", "Transaction wrapping"));  // prefix needs position 1
  EXPECT_EQ(combo.MatchPosition(), 13);
  EXPECT_FALSE(combo.MatchesSearch("Transaction wrapping!", "Transaction wrapping"));

  FillWrapTypes(combo);
  combo.SetSearchMode(Mode::Contains);
  EXPECT_TRUE(combo.FindMatch("RO"));  // in "Subprogram" before the earlier "Procedure"
  EXPECT_EQ(combo.FoundIndex(), 2);
  EXPECT_EQ(combo.MatchPosition(), 5);
  EXPECT_FALSE(combo.FindMatch(""));
  EXPECT_EQ(combo.FoundIndex(), -1);
  EXPECT_EQ(combo.LastFoundIndex(), 2);
}

}  // namespace
}  // namespace korvane
