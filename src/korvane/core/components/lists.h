#pragma once
// List-like components: the check lists of files and words, the combo box
// that carries an incremental search combo, and the non-visual string-list
// holder that the job file persists.

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

#include "korvane/core/common/comma_text.h"
#include "korvane/core/common/keyed_lines.h"
#include "korvane/core/components/component.h"
#include "korvane/core/components/inc_combo.h"

namespace korvane {

struct CheckListItem {
  std::string text;
  bool checked = false;
  bool enabled = true;
};

// The items of a check list with their two flags. Behaviour that keeps file
// lists sorted and unique belongs to the sources subsystem.
//
// Content changes are announced row by row (rowsInserted, rowsRemoved,
// rowsChanged: first row and count, after the change) or as a reset when
// the items were replaced or changed through MutableItems(); a reset also
// fires `changed`, for listeners that only need to know that the items may
// all differ. The highlighted row has its own signal: moving it neither
// resets the list nor fires `changed`.
class CheckList : public Component {
 public:
  CheckList(std::string name, std::string parent)
      : Component(std::move(name), ComponentKind::CheckList, std::move(parent)) {}

  const std::vector<CheckListItem>& Items() const { return items_; }
  // Changes made here are announced with Touch().
  std::vector<CheckListItem>& MutableItems() { return items_; }
  void SetItems(std::vector<CheckListItem> items) {
    items_ = std::move(items);
    Reset();
  }
  void Clear() {
    items_.clear();
    Reset();
  }
  // Announces changes made through MutableItems() as a reset.
  void Touch() { Reset(); }

  void Add(CheckListItem item) { Insert(items_.size(), std::move(item)); }
  // An index past the end appends. The highlight stays on its item.
  void Insert(size_t index, CheckListItem item) {
    index = std::min(index, items_.size());
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
    rowsInserted.Emit(index, 1);
    if (itemIndex_ >= static_cast<int>(index)) SetItemIndex(itemIndex_ + 1);
  }
  // Removes one item; an index out of range is a programming fault. A removed
  // highlight becomes no highlight.
  void RemoveAt(size_t index) {
    if (index >= items_.size()) throw std::out_of_range("CheckList::RemoveAt");
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    rowsRemoved.Emit(index, 1);
    const int row = static_cast<int>(index);
    if (itemIndex_ == row) {
      SetItemIndex(-1);
    } else if (itemIndex_ > row) {
      SetItemIndex(itemIndex_ - 1);
    }
  }
  void SetItem(size_t index, CheckListItem item) {
    if (index >= items_.size()) throw std::out_of_range("CheckList::SetItem");
    CheckListItem& slot = items_[index];
    if (slot.text == item.text && slot.checked == item.checked && slot.enabled == item.enabled) {
      return;
    }
    slot = std::move(item);
    if (static_cast<int>(index) == itemIndex_) highlighted_ = slot.text;
    rowsChanged.Emit(index, 1);
  }
  void SetChecked(size_t index, bool checked) {
    if (index >= items_.size()) throw std::out_of_range("CheckList::SetChecked");
    if (items_[index].checked == checked) return;
    items_[index].checked = checked;
    rowsChanged.Emit(index, 1);
  }

  bool Sorted() const { return sorted_; }
  void SetSorted(bool s) { sorted_ = s; }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int i) {
    highlighted_ = i >= 0 && i < static_cast<int>(items_.size()) ? items_[i].text : std::string();
    if (itemIndex_ == i) return;
    itemIndex_ = i;
    selectionChanged.Emit();
  }
  int ScrollWidth() const { return scrollWidth_; }
  void SetScrollWidth(int w) { Assign(scrollWidth_, w); }

  Signal<size_t, size_t> rowsInserted;
  Signal<size_t, size_t> rowsRemoved;
  Signal<size_t, size_t> rowsChanged;
  Signal<> reset;
  Signal<> selectionChanged;

 private:
  // The highlight follows its entry through a re-sort or a refill: a command
  // for the highlighted entry must never reach another one. An entry that is
  // gone takes the highlight with it. Views hear of the move after the reset,
  // so that they already show the new rows.
  void Reset() {
    const int before = itemIndex_;
    itemIndex_ = FindHighlighted();
    reset.Emit();
    Changed();
    if (itemIndex_ != before) selectionChanged.Emit();
  }

  // The row of the highlighted entry, nearest its old row when names repeat.
  int FindHighlighted() const {
    if (itemIndex_ < 0) return -1;
    const int count = static_cast<int>(items_.size());
    for (int d = 0; d <= count + itemIndex_; ++d) {
      for (int row : {itemIndex_ - d, itemIndex_ + d}) {
        if (row >= 0 && row < count && items_[row].text == highlighted_) return row;
      }
    }
    return -1;
  }

  std::vector<CheckListItem> items_;
  bool sorted_ = false;
  int itemIndex_ = -1;
  std::string highlighted_;  // the highlighted entry's text, to find it again
  int scrollWidth_ = 0;
};

class ComboBox : public Component {
 public:
  ComboBox(std::string name, std::string parent)
      : Component(std::move(name), ComponentKind::ComboBox, std::move(parent)) {
    combo_.SetPickOnly(true);
  }
  IncCombo& Combo() { return combo_; }
  const IncCombo& Combo() const { return combo_; }
  // Announces item or selection changes made through Combo().
  void Touch() { Changed(); }

 private:
  IncCombo combo_;
};

// A non-visual list persisted with the job. Its lines are Name=Value pairs
// (the wrapper marks), so lookups by name go through a hashed index.
class StringListHolder : public Component {
 public:
  StringListHolder(std::string name, std::string parent)
      : Component(std::move(name), ComponentKind::StringListHolder, std::move(parent)) {}

  const std::vector<std::string>& StringList() const { return list_.Lines(); }
  void SetStringList(std::vector<std::string> list) { list_.SetLines(std::move(list)); }
  KeyedLines& Keyed() { return list_; }
  const KeyedLines& Keyed() const { return list_; }
  int MaxLen() const { return maxLen_; }
  void SetMaxLen(int n) { maxLen_ = n; }
  bool SaveObjects() const { return saveObjects_; }
  void SetSaveObjects(bool s) { saveObjects_ = s; }

  void Clear() {
    list_.Clear();
    maxLen_ = 0;
  }
  std::string CommaText() const { return ToCommaText(list_.Lines()); }
  void SetCommaText(std::string_view text) { list_.SetLines(FromCommaText(text)); }

 private:
  KeyedLines list_;
  int maxLen_ = 0;
  bool saveObjects_ = false;
};

}  // namespace korvane
