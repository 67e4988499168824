#pragma once
// What a subsystem service of the main window is given: the job and the window
// parts it works on, the actions, the window's own state, the status bar, the
// person, and the per-user settings. The form itself is there for the job-file
// codec and the product's window set-up, which address components by name.

#include <string>

#include "korvane/core/common/person_port.h"
#include "korvane/core/common/settings_store.h"
#include "korvane/core/common/signal.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/components/action.h"
#include "korvane/core/components/form_model.h"
#include "korvane/core/form/job_parts.h"

namespace korvane {

// The main window as a whole: its caption, whether it still offers anything but the
// configuration, and the request to close it. The view follows the signals.
class WindowState {
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    changed.Emit();
  }
  // Without a usable product only the configuration can be repaired: the pages are
  // disabled and the main menu empties.
  bool MenuEmpty() const { return menuEmpty_; }
  void EmptyMenu() {
    menuEmpty_ = true;
    changed.Emit();
  }
  void RequestClose() { closeRequested.Emit(); }

  // The caption, the menu or window-wide flags changed.
  Signal<> changed;
  // The window is to close (the view runs its close query).
  Signal<> closeRequested;

 private:
  std::string caption_;
  bool menuEmpty_ = false;
};

struct WindowContext {
  JobModel& job;
  JobWindow& view;
  ActionList& actions;
  StatusBar& status;
  PersonPort& person;
  SettingsStore& settings;
  WindowState& window;
};

}  // namespace korvane
