#pragma once
// The shell's drop-down list with incremental search, a "*" contains-search that filters
// the drop-down, and a hidden key per item; a toolkit-free model that a thin view drives.

#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "korvane/core/common/signal.h"

namespace korvane {

class IncCombo {
 public:
  enum class SearchMode { Prefix, Contains };
  enum class Key { Home, End, Left, Right, Other };

  static constexpr char kEnter = '\r';
  static constexpr char kEscape = 0x1B;
  static constexpr char kBackspace = 0x08;
  static constexpr const char* kDefaultHint = "Use *<search text> \rto search within the strings";

  IncCombo() = default;

  // --- properties -------------------------------------------------------------------------
  bool AllowSearch() const { return allowSearch_; }
  void SetAllowSearch(bool on) { allowSearch_ = on; }
  bool AllowExtendedSearch() const { return allowExtendedSearch_; }
  void SetAllowExtendedSearch(bool on) { allowExtendedSearch_ = on; }
  bool AllowTextEntry() const { return allowTextEntry_; }
  void SetAllowTextEntry(bool on) { allowTextEntry_ = on; }
  bool Trim() const { return trim_; }
  void SetTrim(bool on) { trim_ = on; }
  bool ClearBeforeFill() const { return clearBeforeFill_; }
  // True empties the items and the key list at once; the shell writes it before a refill.
  void SetClearBeforeFill(bool on);
  // A pick-only list shows only item captions; an editable one keeps any typed text.
  bool PickOnly() const { return pickOnly_; }
  void SetPickOnly(bool on);
  // Items keep their insertion order because the key list addresses them by position.
  bool Sorted() const { return false; }
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint) { hint_ = std::move(hint); }

  // The search text as the person sees it: contains mode shows the leading "*".
  std::string SearchText() const;
  // Key of the selected item; empty without a key list or without a selection.
  std::string SecondInd() const;
  // Selects the first item stored under this key; an unknown or empty key changes nothing.
  void SetSecondInd(const std::string& key);

  // --- items ------------------------------------------------------------------------------
  // Appends the caption with its key unless an item of that caption (any case) exists.
  void AddWithKey(const std::string& caption, const std::string& key);
  // Appends a caption without key.
  void AddItem(const std::string& caption);
  // Empties items, key list, edit text and selection.
  void Clear();
  // The items shown now (only the matching ones while the drop-down is filtered).
  const std::vector<std::string>& Items() const { return items_; }
  // The key list lines "index=key" in the order they were added.
  const std::vector<std::string>& KeyLines() const { return keyLines_; }
  bool HasKeyList() const { return hasKeyList_; }

  int ItemIndex() const { return itemIndex_; }
  // Selects an item of the shown list (-1 or out of range: none); the edit text becomes its
  // caption, wholly highlighted. Like any programmatic selection it runs no search.
  void SetItemIndex(int index);

  // --- edit part --------------------------------------------------------------------------
  const std::string& EditText() const { return editText_; }
  int SelStart() const { return selStart_; }
  int SelLength() const { return selLength_; }
  // The view reports a moved caret or highlight.
  void SetEditSelection(int start, int length);
  // The person changed the text (the edit control's change notification): the caret goes to
  // the end and the text-change steps run.
  void SetEditText(const std::string& text);
  bool DroppedDown() const { return droppedDown_; }

  // --- input from the view ----------------------------------------------------------------
  // A character key before the edit control handles it; true when the key was consumed.
  bool KeyPress(char key);
  // KeyPress followed by what the edit control does with an unconsumed key: a printable
  // character replaces the highlight, Backspace deletes it or the character before the
  // caret, and the change notification follows. A pick-only list searches the same way
  // instead of the platform's first-letter selection.
  void TypeChar(char key);
  void TypeText(const std::string& text);
  // Navigation keys; true when consumed.
  bool KeyDown(Key key);
  void DropDown();
  void CloseUp();
  void Enter();
  void Exit();
  void Click();
  // Files dropped on the control; false when nobody handles them, so the view's default
  // handling applies.
  bool DropFiles(const std::vector<std::string>& paths);

  // --- search -----------------------------------------------------------------------------
  // Case-insensitive test of one caption; records the 1-based match position. Prefix mode
  // needs the search at position 1. An empty search never matches.
  bool MatchesSearch(const std::string& search, const std::string& caption);
  // First item matching the search; sets the found index (and the last found index).
  bool FindMatch(const std::string& search);
  SearchMode Mode() const { return mode_; }
  void SetSearchMode(SearchMode mode);

  int FoundIndex() const { return foundIndex_; }
  int LastFoundIndex() const { return lastFoundIndex_; }
  int MatchPosition() const { return matchPos_; }
  const std::string& LastFullMatch() const { return lastFullMatch_; }
  char LastKey() const { return lastKey_; }
  bool Filtered() const { return filtered_; }

  // --- events -----------------------------------------------------------------------------
  Signal<> searchTextChanged;
  Signal<> enterPressed;
  Signal<> escPressed;
  // The search text is an item, whole.
  Signal<> fullValueFound;
  Signal<> textChanged;
  Signal<> clicked;
  Signal<> beeped;
  // Files dropped on the box; without a listener the drop is not taken.
  Signal<const std::vector<std::string>&> filesDropped;

 private:
  void SetSearchValue(const std::string& value);
  void UserEdit(const std::string& text, int caret);
  // The change notification: the search steps (with search on), then the change event.
  void TextChanged();
  void RunSearchSteps();
  void SelectFound(int index, int selStart, int selLength);
  void RestoreFullList();
  void KeepPickOnlyText();
  void ReplaceEditText(const std::string& text);
  void Beep();

  // Settings.
  bool allowSearch_ = true;
  bool allowExtendedSearch_ = true;
  bool allowTextEntry_ = false;
  bool clearBeforeFill_ = true;
  bool trim_ = true;
  bool pickOnly_ = false;
  std::string hint_ = kDefaultHint;

  // Items and keys. The caption set and the key lookups always describe the full list.
  std::vector<std::string> items_;
  std::unordered_set<std::string> foldedCaptions_;
  bool hasKeyList_ = false;
  std::vector<std::string> keyLines_;
  std::unordered_map<int, std::string> keyByIndex_;
  std::unordered_map<std::string, int> indexByKey_;

  // While filtered: the full list and, per shown item, its position in it.
  bool filtered_ = false;
  std::vector<std::string> savedItems_;
  std::vector<int> shownToFull_;

  // Control state.
  int itemIndex_ = -1;
  std::string editText_;
  int selStart_ = 0;
  int selLength_ = 0;
  bool droppedDown_ = false;

  // Search state.
  SearchMode mode_ = SearchMode::Prefix;
  std::string search_;
  int foundIndex_ = -1;
  int lastFoundIndex_ = -1;
  int matchPos_ = 0;
  std::string lastFullMatch_;
  char lastKey_ = 0;
};

}  // namespace korvane
