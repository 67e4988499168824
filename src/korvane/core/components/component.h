#pragma once
// The named controls of the main window as plain data. Their names are part of
// the job file format and of the configuration's caption keys, so they are
// kept exactly; a view creates one widget per component and binds to it.

#include <string>

#include "korvane/core/common/signal.h"

namespace korvane {

enum class ComponentKind {
  Edit,
  Memo,
  CheckList,
  RadioGroup,
  RadioButton,
  Page,
  PageControl,
  GroupBox,
  Label,
  Button,
  ComboBox,
  ToolPathFrame,
  DirectoryFrame,
  StringListHolder,
  ProgressBar,
  Panel,
};

class Component {
 public:
  Component(std::string name, ComponentKind kind, std::string parent)
      : name_(std::move(name)), parent_(std::move(parent)), kind_(kind) {}
  virtual ~Component() = default;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  const std::string& Name() const { return name_; }
  const std::string& Parent() const { return parent_; }
  ComponentKind Kind() const { return kind_; }

  // The component's own visible flag (not whether its parents are shown).
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { Assign(visible_, v); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e) { Assign(enabled_, e); }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c) { Assign(caption_, c); }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& h) { Assign(hint_, h); }
  int Tag() const { return tag_; }
  void SetTag(int t) { tag_ = t; }

  // Fired after any property of the component changed.
  Signal<> changed;
  // Asks the view to give the component the input focus.
  Signal<> focusRequested;

  void RequestFocus() { focusRequested.Emit(); }

 protected:
  template <typename T>
  void Assign(T& field, const T& value) {
    if (field == value) return;
    field = value;
    changed.Emit();
  }
  void Changed() { changed.Emit(); }

 private:
  std::string name_;
  std::string parent_;
  ComponentKind kind_;
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  std::string hint_;
  int tag_ = 0;
};

// Where components stand among each other (a component is on screen only when it
// and every parent up to the window are visible), and which one has the focus.
class ComponentTree {
 public:
  virtual bool Showing(const Component& component) const = 0;
  // The name of the component that has the input focus; empty when none.
  virtual const std::string& Focused() const = 0;

 protected:
  ~ComponentTree() = default;
};

}  // namespace korvane
