#include "korvane/core/wordlist/word_editors.h"

#include "korvane/core/wordlist/word_lists.h"
#include "korvane/core/wordlist/wrl_file.h"

namespace korvane {

namespace {

bool IsLine(const CheckList& list, int index) {
  return index >= 0 && index < static_cast<int>(list.Items().size());
}

}  // namespace

bool ControlWordEditor::Open(int index) {
  if (!IsLine(list_, index)) return false;
  index_ = index;
  list_.SetItemIndex(-1);
  const std::string& entry = list_.Items()[static_cast<size_t>(index)].text;
  type_ = entry.substr(0, 4);
  word_ = entry.size() > 5 ? entry.substr(5) : std::string();
  changed.Emit();
  return true;
}

void ControlWordEditor::Store() {
  if (IsLine(list_, index_)) {
    CheckListItem item = list_.Items()[static_cast<size_t>(index_)];
    item.text = ControlWordEntry(type_, word_);
    list_.SetItem(static_cast<size_t>(index_), std::move(item));
    job_.SetModified();
  }
  Close();
}

void ControlWordEditor::Cancel() {
  Close();
}

void ControlWordEditor::Close() {
  if (index_ < 0) return;
  index_ = -1;
  changed.Emit();
}

bool ObjectEditor::Open(int index) {
  if (!IsLine(list_, index)) return false;
  index_ = index;
  list_.SetItemIndex(-1);
  text_ = list_.Items()[static_cast<size_t>(index)].text;
  edited_ = false;
  changed.Emit();
  return true;
}

void ObjectEditor::Edit(std::string text) {
  text_ = std::move(text);
  edited_ = true;
}

void ObjectEditor::Store() {
  if (edited_ && IsLine(list_, index_)) {
    CheckListItem item = list_.Items()[static_cast<size_t>(index_)];
    item.text = text_;
    list_.SetItem(static_cast<size_t>(index_), std::move(item));
    job_.SetModified();
  }
  edited_ = false;
  if (index_ < 0) return;
  index_ = -1;
  changed.Emit();
}

void ObjectEditor::Cancel() {
  edited_ = false;
  Store();
}

}  // namespace korvane
