#pragma once
// The plain control kinds of the main window: edit boxes, memos, pages,
// radio buttons and groups, labels, buttons, group boxes, progress bars.

#include <cstddef>
#include <iterator>
#include <string>
#include <vector>

#include "korvane/core/components/component.h"

namespace korvane {

class EditBox : public Component {
 public:
  EditBox(std::string name, std::string parent)
      : Component(std::move(name), ComponentKind::Edit, std::move(parent)) {}

  const std::string& Text() const { return text_; }
  // A programmatic change; it clears the edited flag like setting a text does.
  void SetText(const std::string& text) {
    modified_ = false;
    Assign(text_, text);
  }
  // A change typed by the person; sets the edited flag.
  void UserEdit(const std::string& text) {
    modified_ = true;
    Assign(text_, text);
    edited.Emit();
  }
  bool Modified() const { return modified_; }
  void SetModified(bool m) { modified_ = m; }
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n) { maxLength_ = n; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool r) { Assign(readOnly_, r); }

  Signal<> edited;  // the person changed the text
  Signal<> exited;  // the field lost the focus (or Enter was pressed)

 private:
  std::string text_;
  bool modified_ = false;
  bool readOnly_ = false;
  int maxLength_ = 0;
};

// The lines of a memo. Its content is announced apart from its properties:
// a reset when the lines were replaced, linesAppended for lines added at the
// end, so a console that grows line by line costs a view only the new lines.
// `changed` stays for the properties (visible, enabled, caption, read-only).
class Memo : public Component {
 public:
  Memo(std::string name, std::string parent)
      : Component(std::move(name), ComponentKind::Memo, std::move(parent)) {}

  const std::vector<std::string>& Lines() const { return lines_; }
  void SetLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    reset.Emit();
  }
  void AppendLines(std::vector<std::string> lines) {
    if (lines.empty()) return;
    size_t count = lines.size();
    size_t from = 0;
    if (lineLimit_ > 0 && count > lineLimit_) {  // only the last ones can stay
      from = count - lineLimit_;
      count = lineLimit_;
    }
    lines_.insert(lines_.end(), std::make_move_iterator(lines.begin() + from),
                  std::make_move_iterator(lines.end()));
    DropBeyondLimit();
    linesAppended.Emit(lines_.size() - count, count);
  }
  void AppendLine(std::string line) { AppendLines({std::move(line)}); }
  // A memo fed by a tool keeps only its last lines; 0 keeps them all.
  void SetLineLimit(size_t limit) {
    lineLimit_ = limit;
    DropBeyondLimit();
  }
  void Clear() { SetLines({}); }
  // A change typed by the person.
  void UserEdit(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    modified_ = true;
    reset.Emit();
  }
  bool Modified() const { return modified_; }
  void SetModified(bool m) { modified_ = m; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool r) { Assign(readOnly_, r); }

  // All lines were replaced.
  Signal<> reset;
  // Lines [first, first + count) were added at the end.
  Signal<size_t, size_t> linesAppended;

 private:
  void DropBeyondLimit() {
    if (lineLimit_ > 0 && lines_.size() > lineLimit_) {
      lines_.erase(lines_.begin(), lines_.end() - static_cast<std::ptrdiff_t>(lineLimit_));
    }
  }

  std::vector<std::string> lines_;
  size_t lineLimit_ = 0;
  bool modified_ = false;
  bool readOnly_ = false;
};

class Page : public Component {
 public:
  Page(std::string name, std::string parent, std::string caption)
      : Component(std::move(name), ComponentKind::Page, std::move(parent)) {
    SetCaption(caption);
  }
};

class PageControl : public Component {
 public:
  PageControl(std::string name, std::string parent)
      : Component(std::move(name), ComponentKind::PageControl, std::move(parent)) {}

  const std::string& ActivePage() const { return active_; }
  // Fires pageChanged only when the page really changes.
  void SetActivePage(const std::string& page) {
    if (active_ == page) return;
    active_ = page;
    Changed();
    pageChanged.Emit();
  }
  void SetActivePage(const Page& page) { SetActivePage(page.Name()); }
  bool IsActive(const Page& page) const { return active_ == page.Name(); }
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool m) { Assign(multiLine_, m); }

  Signal<> pageChanged;

 private:
  std::string active_;
  bool multiLine_ = false;
};

class RadioButton : public Component {
 public:
  RadioButton(std::string name, std::string parent, std::string caption)
      : Component(std::move(name), ComponentKind::RadioButton, std::move(parent)) {
    SetCaption(caption);
  }
  bool Checked() const { return checked_; }
  // Checking a button that was unchecked runs its click handling, as a
  // toolkit radio button does.
  void SetChecked(bool c) {
    if (checked_ == c) return;
    checked_ = c;
    Changed();
    if (c) clicked.Emit();
  }
  // The person clicked it. A click on the checked button changes nothing, so
  // it does nothing: choosing the product in use must not start it afresh.
  void Click() { SetChecked(true); }
  Signal<> clicked;

 private:
  bool checked_ = false;
};

class RadioGroup : public Component {
 public:
  RadioGroup(std::string name, std::string parent)
      : Component(std::move(name), ComponentKind::RadioGroup, std::move(parent)) {}

  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    index_ = -1;
    Changed();
  }
  int ItemIndex() const { return index_; }
  // Selecting another entry runs the group's click handling.
  void SetItemIndex(int i) {
    if (i < -1 || i >= static_cast<int>(items_.size())) i = -1;
    if (index_ == i) return;
    index_ = i;
    Changed();
    if (i >= 0) clicked.Emit();
  }

  Signal<> clicked;

 private:
  std::vector<std::string> items_;
  int index_ = -1;
};

class Label : public Component {
 public:
  Label(std::string name, std::string parent, std::string caption)
      : Component(std::move(name), ComponentKind::Label, std::move(parent)) {
    SetCaption(caption);
  }
};

class GroupBox : public Component {
 public:
  GroupBox(std::string name, std::string parent, std::string caption)
      : Component(std::move(name), ComponentKind::GroupBox, std::move(parent)) {
    SetCaption(caption);
  }
};

class Panel : public Component {
 public:
  Panel(std::string name, std::string parent, std::string caption)
      : Component(std::move(name), ComponentKind::Panel, std::move(parent)) {
    SetCaption(caption);
  }
};

// A push button bound to an action (by name) or with its own click handler.
class ButtonControl : public Component {
 public:
  ButtonControl(std::string name, std::string parent, std::string caption, std::string action)
      : Component(std::move(name), ComponentKind::Button, std::move(parent)),
        action_(std::move(action)) {
    SetCaption(caption);
  }
  const std::string& ActionName() const { return action_; }
  Signal<> clicked;

 private:
  std::string action_;
};

class ProgressBar : public Component {
 public:
  ProgressBar(std::string name, std::string parent)
      : Component(std::move(name), ComponentKind::ProgressBar, std::move(parent)) {}
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  void SetRange(int lo, int hi) {
    min_ = lo;
    max_ = hi;
    Changed();
  }
  void SetPosition(int p) { Assign(position_, p); }
  void StepIt() { SetPosition(position_ + 1); }

 private:
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
};

}  // namespace korvane
