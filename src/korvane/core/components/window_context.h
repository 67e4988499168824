#pragma once
// What a subsystem service of the main window is given: the form and its
// actions, the status bar, the person, and the per-user settings.

#include "korvane/core/common/person_port.h"
#include "korvane/core/common/settings_store.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/components/action.h"
#include "korvane/core/components/form_model.h"

namespace korvane {

struct WindowContext {
  FormModel& form;
  ActionList& actions;
  StatusBar& status;
  PersonPort& person;
  SettingsStore& settings;
};

}  // namespace korvane
