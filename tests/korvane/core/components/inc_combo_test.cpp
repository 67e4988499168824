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

  IncCombo combo;
  int beeps = 0;
  int changes = 0;
  int fullValues = 0;
  int enterKeys = 0;
  int escKeys = 0;
  int clicks = 0;
  std::vector<std::string> searchTexts;
};

TEST_F(IncComboTest, AddingTrimsCaptionsSkipsRepeatsAndKeepsKeyLinesAligned) {
  EXPECT_EQ(combo.Hint(), "Use *<search text> \rto search within the strings");
  EXPECT_FALSE(combo.Sorted());
  EXPECT_FALSE(combo.HasKeyList());

  combo.AddWithKey("Transaction wrapping", "Onl");
  combo.AddWithKey("File wrapping  ", "File");
  combo.AddWithKey("file WRAPPING", "Other");  // repeat in another case: dropped with its key
  combo.AddWithKey("Procedure  wrapping ", "Proc");
  combo.AddWithKey("Interface wrapping", "Intr");

  EXPECT_TRUE(combo.HasKeyList());
  EXPECT_EQ(combo.Items(), (Items{"Transaction wrapping", "File wrapping", "Procedure  wrapping",
                                  "Interface wrapping"}));
  EXPECT_EQ(combo.KeyLines(), (Items{"0=Onl", "1=File", "2=Proc", "3=Intr"}));

  combo.SetItemIndex(1);
  EXPECT_EQ(combo.SecondInd(), "File");
  combo.SetItemIndex(2);
  EXPECT_EQ(combo.SecondInd(), "Proc");
  combo.SetSecondInd("Other");  // the dropped key was never stored
  EXPECT_EQ(combo.ItemIndex(), 2);

  // Unkeyed items take a position but no key; later keys still name their own position.
  IncCombo mixed;
  mixed.AddItem("Plain  ");
  mixed.AddWithKey("PLAIN", "P");  // repeats an unkeyed caption
  mixed.AddWithKey("Keyed", "K");
  EXPECT_EQ(mixed.Items(), (Items{"Plain", "Keyed"}));
  EXPECT_EQ(mixed.KeyLines(), (Items{"1=K"}));
  mixed.SetItemIndex(0);
  EXPECT_EQ(mixed.SecondInd(), "");
  mixed.SetSecondInd("K");
  EXPECT_EQ(mixed.ItemIndex(), 1);
  EXPECT_EQ(mixed.EditText(), "Keyed");

  IncCombo untrimmed;
  untrimmed.SetTrim(false);
  untrimmed.AddWithKey("File wrapping  ", "File");
  untrimmed.AddWithKey("File wrapping", "F2");  // differs by the blanks, so it is new
  EXPECT_EQ(untrimmed.Items(), (Items{"File wrapping  ", "File wrapping"}));
  EXPECT_EQ(untrimmed.KeyLines(), (Items{"0=File", "1=F2"}));
}

TEST_F(IncComboTest, SecondIndReadAndWrite) {
  // No key list: reading is empty and writing does nothing.
  combo.AddItem("RPC");
  combo.SetItemIndex(0);
  EXPECT_EQ(combo.SecondInd(), "");
  combo.SetSecondInd("RPC");
  EXPECT_EQ(combo.ItemIndex(), 0);

  FillWrapTypes();
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_EQ(combo.SecondInd(), "");  // nothing selected

  combo.SetSecondInd("Module");
  EXPECT_EQ(combo.ItemIndex(), 2);
  EXPECT_EQ(combo.EditText(), "Subprogram wrapping");
  EXPECT_EQ(combo.SecondInd(), "Module");

  combo.SetSecondInd("onl");  // keys compare exactly
  combo.SetSecondInd("");
  EXPECT_EQ(combo.ItemIndex(), 2);

  // An unknown key leaves the selection alone.
  IncCombo noInterface;
  noInterface.AddWithKey("Transaction wrapping", "Onl");
  noInterface.AddWithKey("File wrapping", "File");
  noInterface.SetItemIndex(1);
  noInterface.SetSecondInd("Intr");
  EXPECT_EQ(noInterface.ItemIndex(), 1);
  EXPECT_EQ(noInterface.SecondInd(), "File");

  // Two items under one key: the first line decides.
  IncCombo twice;
  twice.AddWithKey("A", "X");
  twice.AddWithKey("B", "X");
  twice.SetItemIndex(1);
  twice.SetSecondInd("X");
  EXPECT_EQ(twice.ItemIndex(), 0);

  combo.SetItemIndex(7);
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_EQ(combo.EditText(), "");
  EXPECT_EQ(combo.SecondInd(), "");
}

TEST_F(IncComboTest, ClearBeforeFillEmptiesItemsAndKeys) {
  FillWrapTypes();
  combo.SetSecondInd("Intr");
  combo.SetClearBeforeFill(false);
  EXPECT_FALSE(combo.ClearBeforeFill());
  EXPECT_EQ(combo.Items().size(), 5u);

  combo.SetClearBeforeFill(true);
  EXPECT_TRUE(combo.ClearBeforeFill());
  EXPECT_TRUE(combo.Items().empty());
  EXPECT_TRUE(combo.KeyLines().empty());
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_EQ(combo.EditText(), "");

  // Refilled captions must not pick up keys of the previous fill.
  combo.AddWithKey("CICS", "CICS");
  combo.AddWithKey("Transaction wrapping", "IMS");  // was present before the clear
  EXPECT_EQ(combo.KeyLines(), (Items{"0=CICS", "1=IMS"}));
  combo.SetSecondInd("IMS");
  EXPECT_EQ(combo.ItemIndex(), 1);
  combo.SetSecondInd("Onl");
  EXPECT_EQ(combo.ItemIndex(), 1);
}

TEST_F(IncComboTest, MatchingAndFinding) {
  const std::string caption = "Transaction wrapping";
  EXPECT_TRUE(combo.MatchesSearch("tRA", caption));
  EXPECT_EQ(combo.MatchPosition(), 1);
  EXPECT_FALSE(combo.MatchesSearch("WRAP", caption));  // prefix mode needs position 1
  EXPECT_EQ(combo.MatchPosition(), 13);
  EXPECT_FALSE(combo.MatchesSearch("", caption));
  EXPECT_EQ(combo.MatchPosition(), 0);
  EXPECT_FALSE(combo.MatchesSearch("Transaction wrapping!", caption));
  EXPECT_TRUE(combo.MatchesSearch("\xE9t\xE9", "\xC9T\xC9 mode"));  // Latin-1 letters fold

  FillWrapTypes();
  EXPECT_TRUE(combo.FindMatch("s"));
  EXPECT_EQ(combo.FoundIndex(), 2);
  EXPECT_FALSE(combo.FindMatch("x"));
  EXPECT_EQ(combo.FoundIndex(), -1);
  EXPECT_EQ(combo.LastFoundIndex(), 2);

  combo.SetSearchMode(Mode::Contains);
  EXPECT_TRUE(combo.MatchesSearch("wrap", caption));
  EXPECT_EQ(combo.MatchPosition(), 13);
  EXPECT_TRUE(combo.FindMatch("RO"));  // in "Subprogram" before the earlier "Procedure"
  EXPECT_EQ(combo.FoundIndex(), 2);
  EXPECT_EQ(combo.MatchPosition(), 5);
  EXPECT_FALSE(combo.FindMatch(""));
}

TEST_F(IncComboTest, PrefixTypingCompletesFallsBackAndReportsFullValue) {
  FillWrapTypes();
  combo.Enter();
  combo.TypeText("fi");
  EXPECT_EQ(combo.ItemIndex(), 1);
  EXPECT_EQ(combo.EditText(), "File wrapping");
  EXPECT_EQ(combo.SelStart(), 2);
  EXPECT_EQ(combo.SelLength(), 11);
  // The typed letter replaced the completed part, so the text keeps the caption's "F".
  EXPECT_EQ(combo.SearchText(), "Fi");
  EXPECT_EQ(combo.LastFullMatch(), "Fi");
  EXPECT_EQ(searchTexts, (Items{"f", "Fi"}));
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(beeps, 0);

  combo.TypeChar('x');  // matches nothing: beep, back to the last match
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(combo.SearchText(), "Fix");
  EXPECT_EQ(combo.ItemIndex(), 1);
  EXPECT_EQ(combo.EditText(), "File wrapping");
  EXPECT_EQ(combo.SelStart(), 2);
  EXPECT_EQ(combo.SelLength(), 11);
  EXPECT_EQ(combo.SecondInd(), "File");
  EXPECT_EQ(changes, 3);

  combo.TypeText("le wrapping");
  EXPECT_EQ(fullValues, 1);  // only the last character completes the caption exactly
  EXPECT_EQ(combo.SelStart(), 13);
  EXPECT_EQ(combo.SelLength(), 0);
  EXPECT_EQ(beeps, 1);

  // Different case finds the item but is no full value.
  combo.SetEditText("FILE WRAPPING");
  EXPECT_EQ(combo.ItemIndex(), 1);
  EXPECT_EQ(fullValues, 1);

  // With the extended search off a leading "*" is searched for literally.
  combo.SetAllowExtendedSearch(false);
  combo.SetEditText("*wrap");
  EXPECT_EQ(combo.Mode(), Mode::Prefix);
  EXPECT_EQ(combo.SearchText(), "*wrap");
  EXPECT_EQ(beeps, 2);
  EXPECT_EQ(combo.ItemIndex(), 1);  // fell back to the last found item
}

TEST_F(IncComboTest, BeepConditionsAndTextEntry) {
  FillWrapTypes();
  combo.TypeText("q");  // no match and nothing found before: beep, no fall-back
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(combo.EditText(), "q");
  EXPECT_EQ(combo.ItemIndex(), -1);
  combo.TypeChar('z');
  EXPECT_EQ(beeps, 2);
  combo.TypeChar(IncCombo::kBackspace);  // deleting never beeps
  EXPECT_EQ(combo.EditText(), "q");
  EXPECT_EQ(beeps, 2);
  combo.TypeChar(IncCombo::kBackspace);  // empty text: prefix mode, empty search
  EXPECT_EQ(combo.EditText(), "");
  EXPECT_EQ(combo.SearchText(), "");
  EXPECT_EQ(beeps, 2);

  IncCombo free;
  int freeBeeps = 0;
  free.onBeep = [&] { ++freeBeeps; };
  free.SetAllowTextEntry(true);
  free.AddWithKey("RPC", "RPC");
  free.AddWithKey("XML", "XML");
  free.TypeText("x");
  EXPECT_EQ(free.ItemIndex(), 1);
  free.TypeText("yz");  // accepted as typed
  EXPECT_EQ(freeBeeps, 0);
  EXPECT_EQ(free.EditText(), "Xyz");
  EXPECT_EQ(free.ItemIndex(), -1);
  EXPECT_EQ(free.SecondInd(), "");

  // Without search the text is only stored, but the change event still fires.
  IncCombo plain;
  int plainChanges = 0;
  plain.onChange = [&] { ++plainChanges; };
  plain.SetAllowSearch(false);
  plain.AddItem("RPC");
  EXPECT_FALSE(plain.KeyPress(IncCombo::kEscape));
  plain.TypeText("r");
  EXPECT_EQ(plain.EditText(), "r");
  EXPECT_EQ(plain.ItemIndex(), -1);
  EXPECT_EQ(plain.LastKey(), 0);
  EXPECT_EQ(plainChanges, 1);
}

TEST_F(IncComboTest, ContainsSearchSelectsMatchedLettersAndFiltersDropDown) {
  combo.AddWithKey("Transaction wrapping", "Onl");
  combo.AddWithKey("File wrapping", "File");
  combo.TypeText("*wrap");
  EXPECT_EQ(combo.Mode(), Mode::Contains);
  EXPECT_EQ(combo.SearchText(), "*wrap");
  EXPECT_EQ(combo.ItemIndex(), 0);
  EXPECT_EQ(combo.EditText(), "Transaction wrapping");
  EXPECT_EQ(combo.SelStart(), 12);
  EXPECT_EQ(combo.SelLength(), 4);
  EXPECT_EQ(beeps, 0);
  EXPECT_EQ(fullValues, 0);

  combo.DropDown();
  EXPECT_TRUE(combo.DroppedDown());
  EXPECT_EQ(combo.Items(), (Items{"Transaction wrapping", "File wrapping"}));
  EXPECT_EQ(combo.ItemIndex(), 0);

  // Typing on closes the list; a miss beeps and returns to the last match.
  combo.TypeChar('x');
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(combo.SearchText(), "*wrap");
  EXPECT_EQ(combo.EditText(), "Transaction wrapping");
  EXPECT_EQ(combo.SelStart(), 12);
  EXPECT_EQ(combo.SelLength(), 4);
  EXPECT_TRUE(combo.KeyDown(IncCombo::Key::Left));
  EXPECT_TRUE(combo.KeyDown(IncCombo::Key::Right));

  // A pasted "*text" is taken the same way.
  IncCombo pasted;
  pasted.AddItem("Transaction wrapping");
  pasted.AddItem("File wrapping");
  pasted.SetEditText("*LE W");
  EXPECT_EQ(pasted.ItemIndex(), 1);
  EXPECT_EQ(pasted.SearchText(), "*LE W");
  EXPECT_EQ(pasted.SelStart(), 2);
  EXPECT_EQ(pasted.SelLength(), 4);
}

TEST_F(IncComboTest, FilteredListKeepsKeysConsistentAndEveryWayBackRestoresIt) {
  FillWrapTypes();
  combo.TypeText("*face");
  EXPECT_EQ(combo.ItemIndex(), 4);
  combo.DropDown();
  EXPECT_TRUE(combo.Filtered());
  EXPECT_EQ(combo.Items(), (Items{"Interface wrapping"}));
  EXPECT_EQ(combo.ItemIndex(), 0);
  EXPECT_EQ(combo.SecondInd(), "Intr");  // read through the shown position

  // Picking from the filtered list: the click returns to prefix mode and the full list.
  combo.SetItemIndex(0);
  combo.CloseUp();
  combo.Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(combo.Filtered());
  EXPECT_EQ(combo.Mode(), Mode::Prefix);
  EXPECT_EQ(combo.Items().size(), 5u);
  EXPECT_EQ(combo.ItemIndex(), 4);
  EXPECT_EQ(combo.SecondInd(), "Intr");
  EXPECT_EQ(combo.LastFullMatch(), "");
  EXPECT_EQ(searchTexts.back(), "");

  // Focus entry restores as well, keeping the selected item.
  combo.TypeText("*sub");
  combo.DropDown();
  EXPECT_EQ(combo.Items(), (Items{"Subprogram wrapping"}));
  combo.Enter();
  EXPECT_EQ(combo.Items().size(), 5u);
  EXPECT_EQ(combo.ItemIndex(), 2);
  EXPECT_EQ(combo.SecondInd(), "Module");

  // Writing a key while filtered selects by the full list's positions.
  combo.TypeText("*sub");
  combo.DropDown();
  combo.SetSecondInd("Proc");
  EXPECT_FALSE(combo.Filtered());
  EXPECT_EQ(combo.ItemIndex(), 3);
  EXPECT_EQ(combo.EditText(), "Procedure  wrapping");

  // Adding while filtered appends to the full list under the right position.
  combo.TypeText("*sub");
  combo.DropDown();
  combo.AddWithKey("Extra wrapping", "Extra");
  EXPECT_EQ(combo.Items().size(), 6u);
  EXPECT_EQ(combo.KeyLines().back(), "5=Extra");

  // A refill while filtered must not let the old list come back later.
  combo.TypeText("*sub");
  combo.DropDown();
  combo.SetClearBeforeFill(true);
  combo.AddWithKey("CICS", "CICS");
  combo.TypeText("*c");
  combo.Click();
  EXPECT_EQ(combo.Items(), (Items{"CICS"}));
}

TEST_F(IncComboTest, BackspaceInContainsMode) {
  FillWrapTypes();
  combo.TypeChar('*');
  EXPECT_EQ(combo.Mode(), Mode::Contains);
  EXPECT_EQ(combo.EditText(), "");
  EXPECT_TRUE(combo.KeyPress(IncCombo::kBackspace));  // nothing searched yet
  EXPECT_EQ(combo.Mode(), Mode::Prefix);
  EXPECT_EQ(combo.SearchText(), "");
  EXPECT_EQ(beeps, 1);

  combo.TypeText("*face");
  combo.DropDown();
  ASSERT_EQ(combo.Items().size(), 1u);
  const int changesBefore = changes;
  EXPECT_TRUE(combo.KeyPress(IncCombo::kBackspace));
  EXPECT_FALSE(combo.Filtered());
  EXPECT_EQ(combo.Items().size(), 5u);
  EXPECT_EQ(combo.Mode(), Mode::Contains);
  EXPECT_EQ(combo.SearchText(), "*fac");
  EXPECT_EQ(combo.ItemIndex(), 4);
  EXPECT_EQ(combo.SelStart(), 5);
  EXPECT_EQ(combo.SelLength(), 3);
  EXPECT_EQ(changes, changesBefore + 1);
  EXPECT_EQ(beeps, 1);

  // Removing the only character leaves contains mode.
  combo.TypeChar(IncCombo::kEscape);
  combo.TypeText("*w");
  combo.TypeChar(IncCombo::kBackspace);
  EXPECT_EQ(combo.Mode(), Mode::Prefix);
  // The caption still shown is then searched as a whole.
  EXPECT_EQ(combo.SearchText(), "Transaction wrapping");
  EXPECT_EQ(combo.ItemIndex(), 0);
}

TEST_F(IncComboTest, EnterEscapeAndFocusKeys) {
  FillWrapTypes();
  combo.SetEditText("In");
  EXPECT_FALSE(combo.KeyPress(IncCombo::kEnter));
  EXPECT_EQ(enterKeys, 1);
  EXPECT_EQ(combo.SearchText(), "Interface wrapping");
  EXPECT_EQ(fullValues, 1);

  combo.TypeText("*wrap");
  combo.DropDown();
  EXPECT_TRUE(combo.KeyPress(IncCombo::kEscape));
  EXPECT_EQ(escKeys, 1);
  EXPECT_EQ(combo.Mode(), Mode::Prefix);
  EXPECT_EQ(combo.SearchText(), "");
  EXPECT_EQ(combo.EditText(), "");
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_FALSE(combo.DroppedDown());
  EXPECT_FALSE(combo.Filtered());

  // Leaving takes the last successful search as the search text.
  combo.TypeText("su");
  searchTexts.clear();
  combo.Exit();
  combo.Exit();  // the same text again is no change
  EXPECT_EQ(searchTexts, (Items{}));
  combo.TypeChar('q');
  combo.Exit();
  EXPECT_EQ(searchTexts, (Items{"Suq", "Su"}));
  combo.Click();  // already prefix mode: nothing to clear
  EXPECT_EQ(combo.LastFullMatch(), "Su");

  // An empty search text is announced every time it is set.
  IncCombo fresh;
  int announced = 0;
  fresh.onChangeSearchText = [&] { ++announced; };
  fresh.Exit();
  fresh.Exit();
  EXPECT_EQ(announced, 2);

  // Home and End pick the ends of the list and highlight the whole text.
  EXPECT_TRUE(combo.KeyDown(IncCombo::Key::End));
  EXPECT_EQ(combo.ItemIndex(), 4);
  EXPECT_EQ(combo.SelStart(), 0);
  EXPECT_EQ(combo.SelLength(), 18);
  EXPECT_TRUE(combo.KeyDown(IncCombo::Key::Home));
  EXPECT_EQ(combo.ItemIndex(), 0);
  EXPECT_EQ(combo.SelLength(), 20);
  EXPECT_FALSE(combo.KeyDown(IncCombo::Key::Left));  // prefix mode moves the caret
  EXPECT_FALSE(combo.KeyDown(IncCombo::Key::Other));
  EXPECT_TRUE(fresh.KeyDown(IncCombo::Key::Home));
  EXPECT_EQ(fresh.ItemIndex(), -1);
}

TEST_F(IncComboTest, PickOnlyListSearchesWithoutFreeText) {
  combo.SetPickOnly(true);
  combo.AddWithKey("RPC", "RPC");
  combo.AddWithKey("IDL", "IDL");
  combo.AddWithKey("XML", "XML");
  combo.AddWithKey("WSDL", "WSDL");
  combo.DropDown();  // nothing selected: the first item is
  EXPECT_EQ(combo.ItemIndex(), 0);
  combo.CloseUp();
  combo.SetSecondInd("XML");
  EXPECT_EQ(combo.EditText(), "XML");

  combo.TypeChar('q');  // no item: beep, the shown caption stays
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(combo.EditText(), "XML");
  EXPECT_EQ(combo.ItemIndex(), 2);

  combo.TypeText("w");
  EXPECT_EQ(combo.SecondInd(), "WSDL");
  EXPECT_EQ(combo.SelStart(), 1);
  combo.TypeText("x");  // "wx": back to WSDL
  EXPECT_EQ(beeps, 2);
  EXPECT_EQ(combo.EditText(), "WSDL");

  combo.TypeText("*d");
  EXPECT_EQ(combo.Mode(), Mode::Contains);
  EXPECT_EQ(combo.EditText(), "IDL");
  EXPECT_EQ(combo.SelStart(), 1);
  EXPECT_EQ(combo.SelLength(), 1);

  EXPECT_TRUE(combo.KeyPress(IncCombo::kEscape));  // keeps its item
  EXPECT_EQ(combo.EditText(), "IDL");
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
