#include "korvane/core/components/inc_combo.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

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
  // Script, then the facts expected as "name=value;...". Beeps, full values, consumed keys
  // and events are always compared (none unless given); the rest only when given.
  const std::string twice =
      "{clear}{add:Transaction wrapping=Onl}{add:File wrapping  =File}{add:file WRAPPING=Other}"
      "{add:Procedure  wrapping =Proc}{add:Twice=Proc}";
  const std::pair<std::string, const char*> cases[] = {
      // Captions are trimmed and a repeat in any case is dropped with its key; of two items
      // under one key the first decides; unknown keys and indexes out of range select nothing.
      {twice,
       "items=Transaction wrapping/File wrapping/Procedure  wrapping/Twice/;"
       "keys=0=Onl/1=File/2=Proc/3=Proc/;key="},
      {twice + "{item:3}{key:Proc}", "text=Procedure  wrapping;index=2"},
      {twice + "{item:0}{key:Other}{key:proc}{key:}{key:Nope}", "index=0"},
      {twice + "{item:1}{item:7}", "index=-1;text="},
      // Unkeyed items take a position but no key; untrimmed captions differ by their blanks.
      {"{clear}{additem:Plain  }{add:PLAIN=P}{add:Keyed=K}{item:0}",
       "items=Plain/Keyed/;keys=1=K/;key="},
      {"{clear}{notrim}{add:File wrapping  =File}{add:File wrapping=F2}",
       "items=File wrapping  /File wrapping/"},
      // Clearing before a refill empties items, keys and selection; the new captions must
      // not pick up keys of the previous fill.
      {"{key:Intr}{clear}", "shown=0;index=-1;text=;keys="},
      {"{clear}{add:CICS=CICS}{add:Transaction wrapping=IMS}{key:IMS}{key:Onl}",
       "keys=0=CICS/1=IMS/;index=1"},

      // Prefix typing completes and highlights the rest; the text keeps the caption's case.
      {"fi", "text=File wrapping;index=1;sel=2,11;changes=2;announced=f/Fi/"},
      // A miss beeps and falls back to the last match; only the character that completes the
      // caption exactly reports a full value, and writing the whole caption does not.
      {"fix", "text=File wrapping;sel=2,11;search=Fix;beeps=1"},
      {"fixle wrapping", "sel=13,0;beeps=1;full=1"},
      {"{set:FILE WRAPPING}", "index=1"},
      // With the extended search off a leading "*" is searched for literally.
      {"fi{noext}{set:*wrap}", "index=1;mode=prefix;beeps=1"},
      // Nothing found before: no fall-back; deleting never beeps.
      {"qz\b\b", "index=-1;search=;beeps=2"},
      // Free text is accepted as typed; without search the text is only stored.
      {"{free}fxz", "text=Fxz;key="},
      {"{nosearch}{esc}f", "text=f;index=-1;consumed=0;changes=1"},

      // Contains search selects the matched letters, also when pasted; a miss falls back.
      {"*wrap", "text=Transaction wrapping;sel=12,4;mode=contains"},
      {"*wrapx{left}", "sel=12,4;search=*wrap;beeps=1;consumed=1"},
      {"{set:*LE W}", "index=1;sel=2,4"},

      // The filtered list reads keys through the shown positions, and every way back (a
      // click on a picked item, focus entry, writing a key) restores the full list.
      {"*face{drop}", "filtered=yes;shown=1;key=Intr"},
      {"*face{drop}{item:0}{close}{click}", "index=4;mode=prefix;filtered=no;events=K"},
      {"*sub{drop}{enter}", "filtered=no;shown=5;key=Module"},
      {"*sub{drop}{key:Proc}", "text=Procedure  wrapping;filtered=no"},
      // Adding while filtered appends to the full list; a refill must not bring it back.
      {"*sub{drop}{add:Extra=Extra}", "keys=0=Onl/1=File/2=Module/3=Proc/4=Intr/5=Extra/"},
      {"*sub{drop}{clear}{add:CICS=CICS}*c{click}", "items=CICS/;events=K"},

      // Backspace in contains mode: nothing searched yet leaves the mode; a filtered search
      // shortens and shows the full list; the only character gone, the caption is searched.
      {"*{bs}", "mode=prefix;beeps=1;consumed=1"},
      {"*face{drop}|{bs}",
       "index=4;sel=5,3;search=*fac;mode=contains;filtered=no;consumed=1;changes=1"},
      {"*w\b", "search=Transaction wrapping;mode=prefix;full=1"},

      // Enter takes the found caption; Escape empties and closes everything.
      {"{set:In}{ret}", "search=Interface wrapping;full=1;consumed=0;events=E"},
      {"*wrap{drop}{esc}",
       "text=;index=-1;mode=prefix;filtered=no;dropped=no;"
       "consumed=1;events=X"},
      // Leaving takes the last successful search; an unchanged text is not announced again,
      // an empty one is every time.
      {"su|{exit}{exit}q{exit}", "beeps=1;announced=Suq/Su/"},
      {"{clear}{exit}{exit}", "announced=//"},
      // Home and End pick the ends and highlight the whole text; Left only moves the caret.
      {"{end}", "index=4;sel=0,18;consumed=1"},
      {"{end}{home}{left}", "index=0;sel=0,20;consumed=110"},
      {"{clear}{home}", "index=-1;consumed=1"},

      // A pick-only list opens on its first item, never keeps a typed miss, and Escape keeps
      // the item.
      {"{pick}{drop}", "index=0"},
      {"{pick}{key:XML}qwx", "text=WSDL;beeps=2"},
      {"{pick}*d", "text=IDL;sel=1,1"},
      {"{pick}*d{esc}", "search=;key=IDL;consumed=1;events=X"},
  };
  for (const auto& [script, expected] : cases) {
    SCOPED_TRACE(script);
    const auto facts = Scripted(script).Facts();
    std::map<std::string, std::string> want{
        {"beeps", "0"}, {"full", "0"}, {"consumed", ""}, {"events", ""}};
    std::istringstream in(expected);
    for (std::string fact; std::getline(in, fact, ';');) {
      const size_t eq = fact.find('=');
      want[fact.substr(0, eq)] = fact.substr(eq + 1);
    }
    for (const auto& [name, value] : want) EXPECT_EQ(facts.at(name), value) << name;
  }
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

TEST(IncCombo, LargeListKeepsKeyLookupsRight) {
  IncCombo combo;
  combo.SetPickOnly(true);
  for (int i = 0; i < 10000; ++i) {
    combo.AddWithKey("Item " + std::to_string(i), "K" + std::to_string(i));
  }
  combo.AddWithKey("ITEM 42", "dup");
  EXPECT_EQ(combo.Items().size(), 10000u);
  combo.SetSecondInd("K9999");
  EXPECT_EQ(combo.ItemIndex(), 9999);
  combo.TypeText("*m 777");
  combo.DropDown();
  EXPECT_EQ(combo.Items(),
            (Items{"Item 777", "Item 7770", "Item 7771", "Item 7772", "Item 7773", "Item 7774",
                   "Item 7775", "Item 7776", "Item 7777", "Item 7778", "Item 7779"}));
  combo.SetItemIndex(3);
  combo.Click();
  EXPECT_EQ(combo.SecondInd(), "K7772");
}

}  // namespace
}  // namespace korvane
