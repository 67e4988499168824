#include "korvane/core/components/inc_combo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvane {
namespace {

using Mode = IncCombo::SearchMode;
using Items = std::vector<std::string>;

// A combo filled as the shell fills the wrapping types, with every event counted.
class IncComboTest : public ::testing::Test {
 protected:
  void SetUp() override {
    combo.onBeep = [this] { ++beeps; };
    combo.onChange = [this] { ++changes; };
    combo.onFullValue = [this] { ++fullValues; };
    combo.onEnterKey = [this] { ++enterKeys; };
    combo.onEscKey = [this] { ++escKeys; };
    combo.onClick = [this] { ++clicks; };
    combo.onChangeSearchText = [this] { searchTexts.push_back(combo.SearchText()); };
  }

  void FillWrapTypes() {
    combo.SetClearBeforeFill(true);
    combo.AddWithKey("Transaction wrapping", "Onl");
    combo.AddWithKey("File wrapping", "File");
    combo.AddWithKey("Subprogram wrapping", "Module");
    combo.AddWithKey("Procedure  wrapping", "Proc");
    combo.AddWithKey("Interface wrapping", "Intr");
  }
  // Types a contains search and opens the filtered list.
  void FilterOn(const std::string& text) {
    combo.TypeText(text);
    combo.DropDown();
  }
  void ExpectSelection(int start, int length) {
    EXPECT_EQ(combo.SelStart(), start);
    EXPECT_EQ(combo.SelLength(), length);
  }

  IncCombo combo;
  int beeps = 0, changes = 0, fullValues = 0, enterKeys = 0, escKeys = 0, clicks = 0;
  std::vector<std::string> searchTexts;
};

TEST_F(IncComboTest, AddingTrimsCaptionsSkipsRepeatsAndKeysSelectExactly) {
  EXPECT_EQ(combo.Hint(), "Use *<search text> \rto search within the strings");
  combo.AddWithKey("Transaction wrapping", "Onl");
  combo.AddWithKey("File wrapping  ", "File");
  combo.AddWithKey("file WRAPPING", "Other");  // repeat in another case: dropped with its key
  combo.AddWithKey("Procedure  wrapping ", "Proc");
  combo.AddWithKey("Twice", "Proc");  // two items under one key: the first line decides
  EXPECT_EQ(combo.Items(),
            (Items{"Transaction wrapping", "File wrapping", "Procedure  wrapping", "Twice"}));
  EXPECT_EQ(combo.KeyLines(), (Items{"0=Onl", "1=File", "2=Proc", "3=Proc"}));
  EXPECT_EQ(combo.SecondInd(), "");  // nothing selected
  combo.SetItemIndex(3);
  combo.SetSecondInd("Proc");
  EXPECT_EQ(combo.EditText(), "Procedure  wrapping");
  for (const char* other : {"Other", "proc", "", "Nope"}) {  // unknown keys change nothing
    combo.SetSecondInd(other);
    EXPECT_EQ(combo.ItemIndex(), 2) << other;
  }
  combo.SetItemIndex(7);  // out of range: no selection
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_EQ(combo.EditText(), "");

  // Unkeyed items take a position but no key.
  IncCombo mixed;
  mixed.AddItem("Plain  ");
  mixed.AddWithKey("PLAIN", "P");
  mixed.AddWithKey("Keyed", "K");
  EXPECT_EQ(mixed.Items(), (Items{"Plain", "Keyed"}));
  EXPECT_EQ(mixed.KeyLines(), (Items{"1=K"}));
  mixed.SetItemIndex(0);
  EXPECT_EQ(mixed.SecondInd(), "");

  IncCombo untrimmed;
  untrimmed.SetTrim(false);
  untrimmed.AddWithKey("File wrapping  ", "File");
  untrimmed.AddWithKey("File wrapping", "F2");  // differs by the blanks, so it is new
  EXPECT_EQ(untrimmed.Items(), (Items{"File wrapping  ", "File wrapping"}));
}

TEST_F(IncComboTest, ClearBeforeFillEmptiesItemsAndKeys) {
  FillWrapTypes();
  combo.SetSecondInd("Intr");
  combo.SetClearBeforeFill(false);
  EXPECT_EQ(combo.Items().size(), 5u);
  combo.SetClearBeforeFill(true);
  EXPECT_TRUE(combo.Items().empty());
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_EQ(combo.EditText(), "");

  // Refilled captions must not pick up keys of the previous fill.
  combo.AddWithKey("CICS", "CICS");
  combo.AddWithKey("Transaction wrapping", "IMS");
  EXPECT_EQ(combo.KeyLines(), (Items{"0=CICS", "1=IMS"}));
  combo.SetSecondInd("IMS");
  combo.SetSecondInd("Onl");
  EXPECT_EQ(combo.ItemIndex(), 1);
}

TEST_F(IncComboTest, MatchingAndFinding) {
  const std::string caption = "Transaction wrapping";
  EXPECT_TRUE(combo.MatchesSearch("tRA", caption));
  EXPECT_FALSE(combo.MatchesSearch("WRAP", caption));  // prefix mode needs position 1
  EXPECT_EQ(combo.MatchPosition(), 13);
  EXPECT_FALSE(combo.MatchesSearch("", caption));
  EXPECT_FALSE(combo.MatchesSearch("Transaction wrapping!", caption));
  EXPECT_TRUE(combo.MatchesSearch("\xE9t\xE9", "\xC9T\xC9 mode"));  // Latin-1 letters fold

  FillWrapTypes();
  EXPECT_TRUE(combo.FindMatch("s"));
  EXPECT_FALSE(combo.FindMatch("x"));
  EXPECT_EQ(combo.FoundIndex(), -1);
  EXPECT_EQ(combo.LastFoundIndex(), 2);

  combo.SetSearchMode(Mode::Contains);
  EXPECT_TRUE(combo.FindMatch("RO"));  // in "Subprogram" before the earlier "Procedure"
  EXPECT_EQ(combo.FoundIndex(), 2);
  EXPECT_EQ(combo.MatchPosition(), 5);
  EXPECT_FALSE(combo.FindMatch(""));
}

TEST_F(IncComboTest, PrefixTypingCompletesFallsBackAndReportsFullValue) {
  FillWrapTypes();
  combo.TypeText("fi");
  EXPECT_EQ(combo.EditText(), "File wrapping");
  ExpectSelection(2, 11);
  // The typed letter replaced the completed part, so the text keeps the caption's "F".
  EXPECT_EQ(searchTexts, (Items{"f", "Fi"}));
  EXPECT_EQ(changes, 2);

  combo.TypeChar('x');  // matches nothing: beep, back to the last match
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(combo.SearchText(), "Fix");
  EXPECT_EQ(combo.EditText(), "File wrapping");
  ExpectSelection(2, 11);

  combo.TypeText("le wrapping");
  EXPECT_EQ(fullValues, 1);  // only the last character completes the caption exactly
  ExpectSelection(13, 0);
  combo.SetEditText("FILE WRAPPING");  // found, but no full value
  EXPECT_EQ(fullValues, 1);

  // With the extended search off a leading "*" is searched for literally.
  combo.SetAllowExtendedSearch(false);
  combo.SetEditText("*wrap");
  EXPECT_EQ(combo.Mode(), Mode::Prefix);
  EXPECT_EQ(beeps, 2);
  EXPECT_EQ(combo.ItemIndex(), 1);
}

TEST_F(IncComboTest, BeepConditionsAndTextEntry) {
  FillWrapTypes();
  combo.TypeText("qz");  // no match and nothing found before: beeps, no fall-back
  EXPECT_EQ(beeps, 2);
  EXPECT_EQ(combo.ItemIndex(), -1);
  combo.TypeChar(IncCombo::kBackspace);  // deleting never beeps
  combo.TypeChar(IncCombo::kBackspace);
  EXPECT_EQ(combo.SearchText(), "");
  EXPECT_EQ(beeps, 2);

  IncCombo free;
  int freeBeeps = 0;
  free.onBeep = [&] { ++freeBeeps; };
  free.SetAllowTextEntry(true);
  free.AddWithKey("XML", "XML");
  free.TypeText("xyz");  // accepted as typed
  EXPECT_EQ(freeBeeps, 0);
  EXPECT_EQ(free.EditText(), "Xyz");
  EXPECT_EQ(free.SecondInd(), "");

  // Without search the text is only stored, but the change event still fires.
  IncCombo plain;
  int plainChanges = 0;
  plain.onChange = [&] { ++plainChanges; };
  plain.SetAllowSearch(false);
  plain.AddItem("RPC");
  EXPECT_FALSE(plain.KeyPress(IncCombo::kEscape));
  plain.TypeText("r");
  EXPECT_EQ(plain.ItemIndex(), -1);
  EXPECT_EQ(plainChanges, 1);
}

TEST_F(IncComboTest, ContainsSearchSelectsTheMatchedLetters) {
  combo.AddWithKey("Transaction wrapping", "Onl");
  combo.AddWithKey("File wrapping", "File");
  combo.TypeText("*wrap");
  EXPECT_EQ(combo.Mode(), Mode::Contains);
  EXPECT_EQ(combo.EditText(), "Transaction wrapping");
  ExpectSelection(12, 4);
  EXPECT_EQ(beeps + fullValues, 0);

  combo.TypeChar('x');  // a miss beeps and returns to the last match
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(combo.SearchText(), "*wrap");
  ExpectSelection(12, 4);
  EXPECT_TRUE(combo.KeyDown(IncCombo::Key::Left));

  IncCombo pasted;  // a pasted "*text" is taken the same way
  pasted.AddItem("Transaction wrapping");
  pasted.AddItem("File wrapping");
  pasted.SetEditText("*LE W");
  EXPECT_EQ(pasted.ItemIndex(), 1);
  EXPECT_EQ(pasted.SelStart(), 2);
}

TEST_F(IncComboTest, FilteredListKeepsKeysConsistentAndEveryWayBackRestoresIt) {
  FillWrapTypes();
  FilterOn("*face");
  EXPECT_EQ(combo.Items(), (Items{"Interface wrapping"}));
  EXPECT_EQ(combo.SecondInd(), "Intr");  // read through the shown position

  // Picking from the filtered list: the click returns to prefix mode and the full list.
  combo.SetItemIndex(0);
  combo.CloseUp();
  combo.Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(combo.Filtered());
  EXPECT_EQ(combo.Mode(), Mode::Prefix);
  EXPECT_EQ(combo.ItemIndex(), 4);
  EXPECT_EQ(combo.LastFullMatch(), "");

  FilterOn("*sub");  // focus entry restores as well, keeping the selected item
  combo.Enter();
  EXPECT_EQ(combo.Items().size(), 5u);
  EXPECT_EQ(combo.SecondInd(), "Module");

  FilterOn("*sub");  // writing a key while filtered selects by the full list's positions
  combo.SetSecondInd("Proc");
  EXPECT_FALSE(combo.Filtered());
  EXPECT_EQ(combo.EditText(), "Procedure  wrapping");

  FilterOn("*sub");  // adding while filtered appends to the full list
  combo.AddWithKey("Extra wrapping", "Extra");
  EXPECT_EQ(combo.KeyLines().back(), "5=Extra");

  FilterOn("*sub");  // a refill while filtered must not let the old list come back
  combo.SetClearBeforeFill(true);
  combo.AddWithKey("CICS", "CICS");
  combo.TypeText("*c");
  combo.Click();
  EXPECT_EQ(combo.Items(), (Items{"CICS"}));
}

TEST_F(IncComboTest, BackspaceInContainsMode) {
  FillWrapTypes();
  combo.TypeChar('*');
  EXPECT_TRUE(combo.KeyPress(IncCombo::kBackspace));  // nothing searched yet
  EXPECT_EQ(combo.Mode(), Mode::Prefix);
  EXPECT_EQ(beeps, 1);

  FilterOn("*face");
  const int changesBefore = changes;
  EXPECT_TRUE(combo.KeyPress(IncCombo::kBackspace));
  EXPECT_FALSE(combo.Filtered());
  EXPECT_EQ(combo.Mode(), Mode::Contains);
  EXPECT_EQ(combo.SearchText(), "*fac");
  EXPECT_EQ(combo.ItemIndex(), 4);
  ExpectSelection(5, 3);
  EXPECT_EQ(changes, changesBefore + 1);

  // Removing the only character leaves contains mode; the caption shown is searched whole.
  combo.TypeChar(IncCombo::kEscape);
  combo.TypeText("*w");
  combo.TypeChar(IncCombo::kBackspace);
  EXPECT_EQ(combo.Mode(), Mode::Prefix);
  EXPECT_EQ(combo.SearchText(), "Transaction wrapping");
}

TEST_F(IncComboTest, EnterEscapeAndFocusKeys) {
  FillWrapTypes();
  combo.SetEditText("In");
  EXPECT_FALSE(combo.KeyPress(IncCombo::kEnter));
  EXPECT_EQ(enterKeys, 1);
  EXPECT_EQ(combo.SearchText(), "Interface wrapping");
  EXPECT_EQ(fullValues, 1);

  FilterOn("*wrap");
  EXPECT_TRUE(combo.KeyPress(IncCombo::kEscape));
  EXPECT_EQ(escKeys, 1);
  EXPECT_EQ(combo.Mode(), Mode::Prefix);
  EXPECT_EQ(combo.EditText(), "");
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_FALSE(combo.DroppedDown() || combo.Filtered());

  // Leaving takes the last successful search as the search text.
  combo.TypeText("su");
  searchTexts.clear();
  combo.Exit();
  combo.Exit();  // the same text again is no change
  EXPECT_TRUE(searchTexts.empty());
  combo.TypeChar('q');
  combo.Exit();
  EXPECT_EQ(searchTexts, (Items{"Suq", "Su"}));

  IncCombo fresh;  // an empty search text is announced every time it is set
  int announced = 0;
  fresh.onChangeSearchText = [&] { ++announced; };
  fresh.Exit();
  fresh.Exit();
  EXPECT_EQ(announced, 2);

  // Home and End pick the ends of the list and highlight the whole text.
  EXPECT_TRUE(combo.KeyDown(IncCombo::Key::End));
  EXPECT_EQ(combo.ItemIndex(), 4);
  ExpectSelection(0, 18);
  EXPECT_TRUE(combo.KeyDown(IncCombo::Key::Home));
  EXPECT_EQ(combo.SelLength(), 20);
  EXPECT_FALSE(combo.KeyDown(IncCombo::Key::Left));  // prefix mode moves the caret
  EXPECT_TRUE(fresh.KeyDown(IncCombo::Key::Home));
  EXPECT_EQ(fresh.ItemIndex(), -1);
}

TEST_F(IncComboTest, PickOnlyListSearchesWithoutFreeText) {
  combo.SetPickOnly(true);
  for (const char* key : {"RPC", "IDL", "XML", "WSDL"}) combo.AddWithKey(key, key);
  combo.DropDown();  // nothing selected: the first item is
  EXPECT_EQ(combo.ItemIndex(), 0);
  combo.CloseUp();
  combo.SetSecondInd("XML");

  combo.TypeChar('q');  // no item: beep, the shown caption stays
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(combo.EditText(), "XML");
  combo.TypeText("wx");  // "wx": back to WSDL
  EXPECT_EQ(beeps, 2);
  EXPECT_EQ(combo.EditText(), "WSDL");

  combo.TypeText("*d");
  EXPECT_EQ(combo.EditText(), "IDL");
  ExpectSelection(1, 1);
  EXPECT_TRUE(combo.KeyPress(IncCombo::kEscape));  // keeps its item
  EXPECT_EQ(combo.SecondInd(), "IDL");
  EXPECT_EQ(combo.SearchText(), "");
}

TEST_F(IncComboTest, LargeListKeepsKeyLookupsRight) {
  combo.SetPickOnly(true);
  for (int i = 0; i < 10000; ++i) {
    combo.AddWithKey("Item " + std::to_string(i), "K" + std::to_string(i));
  }
  combo.AddWithKey("ITEM 42", "dup");
  EXPECT_EQ(combo.Items().size(), 10000u);
  combo.SetSecondInd("K9999");
  EXPECT_EQ(combo.ItemIndex(), 9999);
  FilterOn("*m 777");
  EXPECT_EQ(combo.Items(),
            (Items{"Item 777", "Item 7770", "Item 7771", "Item 7772", "Item 7773", "Item 7774",
                   "Item 7775", "Item 7776", "Item 7777", "Item 7778", "Item 7779"}));
  combo.SetItemIndex(3);
  combo.Click();
  EXPECT_EQ(combo.SecondInd(), "K7772");
}

}  // namespace
}  // namespace korvane
