#pragma once
// User commands as named actions: caption, category, shortcut and the
// visible/enabled/checked state that menus, tool bars and buttons show.

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "korvane/core/common/signal.h"

namespace korvane {

class Action {
 public:
  Action(std::string name, std::string caption, std::string category)
      : name_(std::move(name)), caption_(std::move(caption)), category_(std::move(category)) {}

  const std::string& Name() const { return name_; }
  const std::string& Category() const { return category_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c) { Assign(caption_, c); }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& h) { Assign(hint_, h); }
  const std::string& Shortcut() const { return shortcut_; }
  void SetShortcut(const std::string& s) { Assign(shortcut_, s); }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { Assign(visible_, v); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e) { Assign(enabled_, e); }
  // A checkable action shows a check mark, set or not; a checked one is
  // always checkable.
  bool Checkable() const { return checkable_ || checked_; }
  void SetCheckable(bool c) { Assign(checkable_, c); }
  bool Checked() const { return checked_; }
  void SetChecked(bool c) { Assign(checked_, c); }

  // Why a command cannot work in this build (its part of the shell is not
  // there yet); empty when it can. Such a command is shown greyed with the
  // reason, whatever its enabled state says.
  const std::string& Unavailable() const { return unavailable_; }
  void SetUnavailable(const std::string& why) { Assign(unavailable_, why); }
  // What menus and buttons show: enabled, and able to work.
  bool Usable() const { return enabled_ && unavailable_.empty() && handler_; }

  void SetHandler(std::function<void()> handler) { handler_ = std::move(handler); }
  bool HasHandler() const { return static_cast<bool>(handler_); }
  // Runs the handler unguarded; callers go through the shell's runner.
  void Invoke() const {
    if (handler_) handler_();
  }

  Signal<> changed;

 private:
  template <typename T>
  void Assign(T& field, const T& value) {
    if (field == value) return;
    field = value;
    changed.Emit();
  }

  std::string name_;
  std::string caption_;
  std::string category_;
  std::string hint_;
  std::string shortcut_;
  std::string unavailable_;
  bool visible_ = true;
  bool enabled_ = true;
  bool checkable_ = false;
  bool checked_ = false;
  std::function<void()> handler_;
};

// The main action list, in creation order, with lookup by exact name.
class ActionList {
 public:
  Action& Add(std::string name, std::string caption, std::string category);
  Action* Find(const std::string& name) const;
  // Throws std::logic_error for an unknown name: a programming fault.
  Action& Get(const std::string& name) const;
  const std::vector<std::unique_ptr<Action>>& All() const { return actions_; }
  std::vector<Action*> InCategory(const std::string& category) const;

 private:
  std::vector<std::unique_ptr<Action>> actions_;
  std::unordered_map<std::string, Action*> byName_;
};

}  // namespace korvane
