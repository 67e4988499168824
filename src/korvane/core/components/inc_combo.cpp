#include "korvane/core/components/inc_combo.h"

#include <algorithm>

namespace korvane {

namespace {

// Upper case of one byte: ASCII and the Latin-1 letters, the way the system code page folds.
char Fold(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - 0x20);
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 0x20);
  return c;
}

std::string FoldAll(const std::string& text) {
  std::string out = text;
  std::transform(out.begin(), out.end(), out.begin(), Fold);
  return out;
}

// 1-based position of needle inside hay ignoring case, 0 when absent or needle is empty.
// Compares in place so that searching a long list allocates nothing per item.
int FindNoCase(const std::string& needle, const std::string& hay) {
  if (needle.empty() || needle.size() > hay.size()) return 0;
  const auto it = std::search(hay.begin(), hay.end(), needle.begin(), needle.end(),
                              [](char a, char b) { return Fold(a) == Fold(b); });
  if (it == hay.end()) return 0;
  return static_cast<int>(it - hay.begin()) + 1;
}

// Blanks and control characters at the end go, as they would in the list's own trimming.
std::string CutTrailingBlanks(const std::string& text) {
  std::size_t end = text.size();
  while (end > 0 && static_cast<unsigned char>(text[end - 1]) <= 0x20) --end;
  return text.substr(0, end);
}

int Length(const std::string& text) {
  return static_cast<int>(text.size());
}

}  // namespace

// --- properties ---------------------------------------------------------------------------

void IncCombo::SetClearBeforeFill(bool on) {
  clearBeforeFill_ = on;
  if (on) Clear();
}

void IncCombo::SetPickOnly(bool on) {
  pickOnly_ = on;
  KeepPickOnlyText();
}

std::string IncCombo::SearchText() const {
  return mode_ == SearchMode::Contains ? "*" + search_ : search_;
}

std::string IncCombo::SecondInd() const {
  if (!hasKeyList_ || itemIndex_ < 0) return {};
  // While the drop-down is filtered the shown positions differ from the keyed ones.
  const int full = filtered_ ? shownToFull_[itemIndex_] : itemIndex_;
  const auto it = keyByIndex_.find(full);
  return it == keyByIndex_.end() ? std::string() : it->second;
}

void IncCombo::SetSecondInd(const std::string& key) {
  if (!hasKeyList_ || key.empty()) return;
  const auto it = indexByKey_.find(key);
  if (it == indexByKey_.end()) return;
  // Keys address the full list, so a filtered drop-down must give its items back first.
  RestoreFullList();
  SetItemIndex(it->second);
}

// --- items --------------------------------------------------------------------------------

void IncCombo::AddWithKey(const std::string& caption, const std::string& key) {
  RestoreFullList();
  hasKeyList_ = true;
  const std::string text = trim_ ? CutTrailingBlanks(caption) : caption;
  // A repeated caption is dropped with its key; the next key line then names the next
  // position actually taken, so lines and items never drift apart.
  if (!foldedCaptions_.insert(FoldAll(text)).second) return;
  items_.push_back(text);
  const int index = static_cast<int>(items_.size()) - 1;
  keyLines_.push_back(std::to_string(index) + "=" + key);
  keyByIndex_.emplace(index, key);
  indexByKey_.emplace(key, index);  // the first line holding a key decides
}

void IncCombo::AddItem(const std::string& caption) {
  RestoreFullList();
  const std::string text = trim_ ? CutTrailingBlanks(caption) : caption;
  foldedCaptions_.insert(FoldAll(text));
  items_.push_back(text);
}

void IncCombo::Clear() {
  // Dropping the filter first keeps an old saved list from coming back over new items.
  SetSearchMode(SearchMode::Prefix);
  items_.clear();
  foldedCaptions_.clear();
  // Key lines name item positions; kept across a clear they would label the new items.
  keyLines_.clear();
  keyByIndex_.clear();
  indexByKey_.clear();
  itemIndex_ = -1;
  editText_.clear();
  selStart_ = selLength_ = 0;
  foundIndex_ = lastFoundIndex_ = -1;
  matchPos_ = 0;
  lastFullMatch_.clear();
}

void IncCombo::SetItemIndex(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) {
    itemIndex_ = -1;
    editText_.clear();
    selStart_ = selLength_ = 0;
    return;
  }
  itemIndex_ = index;
  editText_ = items_[index];
  selStart_ = 0;
  selLength_ = Length(editText_);
}

// --- edit part ----------------------------------------------------------------------------

void IncCombo::SetEditSelection(int start, int length) {
  const int size = Length(editText_);
  selStart_ = std::clamp(start, 0, size);
  selLength_ = std::clamp(length, 0, size - selStart_);
}

void IncCombo::SetEditText(const std::string& text) {
  UserEdit(text, Length(text));
}

void IncCombo::UserEdit(const std::string& text, int caret) {
  ReplaceEditText(text);
  SetEditSelection(caret, 0);
  TextChanged();
}

void IncCombo::ReplaceEditText(const std::string& text) {
  editText_ = text;
  selStart_ = Length(text);
  selLength_ = 0;
  // An editable combo whose text no longer is the selected caption has no selection; a
  // pick-only list keeps its item and gets the caption back after the search.
  if (!pickOnly_ && itemIndex_ >= 0 && items_[itemIndex_] != text) itemIndex_ = -1;
}

void IncCombo::KeepPickOnlyText() {
  if (!pickOnly_) return;
  const std::string shown = itemIndex_ >= 0 ? items_[itemIndex_] : std::string();
  if (editText_ == shown) return;
  editText_ = shown;
  selStart_ = 0;
  selLength_ = Length(shown);
}

void IncCombo::TextChanged() {
  if (allowSearch_) RunSearchSteps();
  KeepPickOnlyText();
  textChanged.Emit();
}

void IncCombo::RunSearchSteps() {
  if (editText_.empty()) {
    SetSearchMode(SearchMode::Prefix);
    SetSearchValue({});
  } else if (allowExtendedSearch_ && editText_[0] == '*') {
    SetSearchMode(SearchMode::Contains);
    SetSearchValue(editText_.substr(1));
    ReplaceEditText(search_);
  } else if (mode_ == SearchMode::Prefix) {
    SetSearchValue(editText_);
  }

  if (FindMatch(search_)) {
    lastFullMatch_ = search_;
    droppedDown_ = false;
    const int found = foundIndex_;
    if (mode_ == SearchMode::Prefix) {
      SelectFound(found, Length(search_), Length(items_[found]) - Length(search_));
    } else {
      SelectFound(found, matchPos_ - 1, Length(search_));
    }
    if (items_[found] == search_) fullValueFound.Emit();
    return;
  }

  if (lastKey_ != kBackspace && !search_.empty() && !allowTextEntry_) Beep();
  if (lastFullMatch_.empty()) return;
  if (mode_ == SearchMode::Contains) {
    SetSearchValue(lastFullMatch_);
    if (FindMatch(search_)) SelectFound(foundIndex_, matchPos_ - 1, Length(search_));
  } else if (!allowTextEntry_ && lastFoundIndex_ >= 0 &&
             lastFoundIndex_ < static_cast<int>(items_.size())) {
    const int last = lastFoundIndex_;
    SelectFound(last, Length(lastFullMatch_), Length(items_[last]) - Length(lastFullMatch_));
  }
}

void IncCombo::SelectFound(int index, int selStart, int selLength) {
  SetItemIndex(index);
  SetEditSelection(selStart, selLength);
}

// --- input from the view ------------------------------------------------------------------

bool IncCombo::KeyPress(char key) {
  if (!allowSearch_) return false;
  lastKey_ = key;

  if (key == kEnter) {
    enterPressed.Emit();
    SetSearchValue(editText_);
    TextChanged();
    return false;
  }
  if (key == kEscape) {
    escPressed.Emit();
    SetSearchMode(SearchMode::Prefix);
    // A pick-only list cannot show a text that is no item: it keeps its item rather than
    // losing the code the shell reads from it.
    if (pickOnly_) {
      KeepPickOnlyText();
      SetEditSelection(0, Length(editText_));
    } else {
      itemIndex_ = -1;
      editText_.clear();
      selStart_ = selLength_ = 0;
    }
    SetSearchValue({});
    droppedDown_ = false;
    return true;
  }
  if (mode_ != SearchMode::Contains) return false;

  if (key == kBackspace) {
    RestoreFullList();
    if (search_.empty()) {
      SetSearchMode(SearchMode::Prefix);
      SetSearchValue({});
      Beep();
      return true;
    }
    const std::string shorter = search_.substr(0, search_.size() - 1);
    SetSearchValue(shorter);
    if (shorter.empty()) SetSearchMode(SearchMode::Prefix);
    TextChanged();
    return true;
  }
  if (static_cast<unsigned char>(key) >= 21) SetSearchValue(search_ + key);
  return false;
}

void IncCombo::TypeChar(char key) {
  if (KeyPress(key)) return;
  std::string text = editText_;
  int caret = selStart_;
  if (key == kBackspace) {
    if (selLength_ > 0) {
      text.erase(selStart_, selLength_);
    } else if (selStart_ > 0) {
      text.erase(selStart_ - 1, 1);
      --caret;
    } else {
      return;  // nothing to delete, so the text does not change
    }
  } else if (pickOnly_ && key == '*' && allowExtendedSearch_ && mode_ == SearchMode::Prefix) {
    // A pick-only list has no text of its own to edit: the "*" always opens a new search.
    text = "*";
    caret = 1;
  } else if (static_cast<unsigned char>(key) >= 0x20 && key != 0x7F) {
    text.replace(selStart_, selLength_, 1, key);
    ++caret;
  } else {
    return;  // other control characters do not reach a single-line edit
  }
  UserEdit(text, caret);
}

void IncCombo::TypeText(const std::string& text) {
  for (const char c : text) TypeChar(c);
}

bool IncCombo::KeyDown(Key key) {
  switch (key) {
    case Key::Home:
    case Key::End:
      if (!items_.empty()) SetItemIndex(key == Key::Home ? 0 : static_cast<int>(items_.size()) - 1);
      SetEditSelection(0, Length(editText_));
      return true;
    case Key::Left:
    case Key::Right:
      // The caret would move through a caption that is not the search text.
      return mode_ == SearchMode::Contains;
    case Key::Other:
      break;
  }
  return false;
}

void IncCombo::DropDown() {
  droppedDown_ = true;
  if (mode_ == SearchMode::Contains && !lastFullMatch_.empty()) {
    const int selectedFull =
        itemIndex_ < 0 ? -1 : (filtered_ ? shownToFull_[itemIndex_] : itemIndex_);
    if (!filtered_) {
      savedItems_ = items_;
      filtered_ = true;
    }
    // Always filtered from the full list, so a changed last match cannot hide an item.
    items_.clear();
    shownToFull_.clear();
    itemIndex_ = -1;
    for (int i = 0; i < static_cast<int>(savedItems_.size()); ++i) {
      if (FindNoCase(lastFullMatch_, savedItems_[i]) == 0) continue;
      if (i == selectedFull) itemIndex_ = static_cast<int>(items_.size());
      items_.push_back(savedItems_[i]);
      shownToFull_.push_back(i);
    }
    foundIndex_ = lastFoundIndex_ = -1;
  }
  if (!lastFullMatch_.empty() && FindMatch(lastFullMatch_)) SetItemIndex(foundIndex_);
  if (pickOnly_ && itemIndex_ < 0 && !items_.empty()) SetItemIndex(0);
}

void IncCombo::CloseUp() {
  droppedDown_ = false;
}

void IncCombo::Enter() {
  SetSearchMode(SearchMode::Prefix);
}

void IncCombo::Exit() {
  SetSearchValue(lastFullMatch_);
}

void IncCombo::Click() {
  SetSearchMode(SearchMode::Prefix);
  clicked.Emit();
}

bool IncCombo::DropFiles(const std::vector<std::string>& paths) {
  if (filesDropped.SlotCount() == 0) return false;
  filesDropped.Emit(paths);
  return true;
}

// --- search -------------------------------------------------------------------------------

bool IncCombo::MatchesSearch(const std::string& search, const std::string& caption) {
  matchPos_ = FindNoCase(search, caption);
  if (mode_ == SearchMode::Prefix) return matchPos_ == 1;
  return matchPos_ > 0;
}

bool IncCombo::FindMatch(const std::string& search) {
  matchPos_ = 0;
  for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
    if (MatchesSearch(search, items_[i])) {
      foundIndex_ = lastFoundIndex_ = i;
      return true;
    }
  }
  foundIndex_ = -1;
  return false;
}

void IncCombo::SetSearchMode(SearchMode mode) {
  if (mode == mode_) return;
  mode_ = mode;
  lastFullMatch_.clear();
  RestoreFullList();
  SetSearchValue({});
}

void IncCombo::SetSearchValue(const std::string& value) {
  if (value == search_ && !value.empty()) return;
  search_ = value;
  searchTextChanged.Emit();
}

void IncCombo::RestoreFullList() {
  if (!filtered_) return;
  const auto toFull = [this](int shown) {
    return shown >= 0 && shown < static_cast<int>(shownToFull_.size()) ? shownToFull_[shown] : -1;
  };
  itemIndex_ = toFull(itemIndex_);
  foundIndex_ = toFull(foundIndex_);
  lastFoundIndex_ = toFull(lastFoundIndex_);
  items_ = std::move(savedItems_);
  savedItems_.clear();
  shownToFull_.clear();
  filtered_ = false;
}

void IncCombo::Beep() {
  beeped.Emit();
}

}  // namespace korvane
