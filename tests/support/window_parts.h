#pragma once
// The main window's parts as the services are given them: the real form bound to the
// typed job and window parts, a scripted person, settings in memory. A fixture derives
// from it and builds the service under test on the context.

#include "korvane/core/common/settings_store.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/components/form_model.h"
#include "korvane/core/form/job_binding.h"
#include "korvane/core/form/main_form.h"
#include "korvane/core/form/window_context.h"
#include "platform/memory_settings.h"
#include "support/scripted_person.h"

namespace korvane::testing {

struct WindowParts {
  ScriptedPerson person;
  platform::MemorySettings backend;
  SettingsStore settings{backend};
  StatusBar status{person};
  FormModel form;
  ActionList actions;
  WindowState window;
  BoundJob job{(BuildMainForm(form, actions), form)};
  WindowContext context{job.model, job.window, actions, status, person, settings, window};
};

}  // namespace korvane::testing
