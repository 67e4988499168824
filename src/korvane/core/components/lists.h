#pragma once
// List-like components: the check lists of files and words, the combo box
// that carries an incremental search combo, and the non-visual string-list
// holder that the job file persists.

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
class CheckList : public Component {
 public:
  CheckList(std::string name, std::string parent)
      : Component(std::move(name), ComponentKind::CheckList, std::move(parent)) {}

  const std::vector<CheckListItem>& Items() const { return items_; }
  std::vector<CheckListItem>& MutableItems() { return items_; }
  void SetItems(std::vector<CheckListItem> items) {
    items_ = std::move(items);
    if (itemIndex_ >= static_cast<int>(items_.size())) itemIndex_ = -1;
    Changed();
  }
  void Clear() {
    items_.clear();
    itemIndex_ = -1;
    Changed();
  }
  void Add(CheckListItem item) {
    items_.push_back(std::move(item));
    Changed();
  }
  // Announces changes made through MutableItems().
  void Touch() { Changed(); }

  bool Sorted() const { return sorted_; }
  void SetSorted(bool s) { sorted_ = s; }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int i) { Assign(itemIndex_, i); }
  int ScrollWidth() const { return scrollWidth_; }
  void SetScrollWidth(int w) { Assign(scrollWidth_, w); }

 private:
  std::vector<CheckListItem> items_;
  bool sorted_ = false;
  int itemIndex_ = -1;
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
