#pragma once
// The main window with a scripted person and in-memory settings, for the project tests.

#include <functional>

#include "korvane/core/common/settings_store.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/form/job_binding.h"
#include "korvane/core/form/main_form.h"
#include "korvane/core/form/window_context.h"
#include "korvane/core/project/project.h"
#include "platform/memory_settings.h"
#include "support/scripted_person.h"

namespace korvane::testing {

// Counts the saves and renames the project asks for and names the active language.
struct CountingSaver : JobSaver, ResultRenamer, ActiveLanguage {
  int saves = 0;
  int renames = 0;
  std::string langCode = "COB";
  std::function<void()> onSave;  // what a save does besides being counted
  void SaveJob() override {
    ++saves;
    if (onSave) onSave();
  }
  void RenameResults() override { ++renames; }
  const std::string& LangCode() const override { return langCode; }
};

struct ProjectFixture : CountingSaver {
  ProjectFixture() {
    pages().SetActivePage(names::kPageLanguages);
    window.SetCaption("Korvane Shell");
    project.BindNameFields();
  }

  PageControl& pages() { return form.Get<PageControl>(names::kPageControlMain); }
  EditBox& edit(const char* name) { return form.Get<EditBox>(name); }
  DirectoryFrame& frame() { return form.Get<DirectoryFrame>(names::kFrameOutputDir); }
  bool saveEnabled() { return actions.Get(names::kActSaveProject).Enabled(); }

  ScriptedPerson person;
  platform::MemorySettings backend;
  SettingsStore settings{backend};
  StatusBar status{person};
  FormModel form;
  ActionList actions;
  WindowState window;
  bool built = (BuildMainForm(form, actions), true);
  BoundJob job{form};
  WindowContext context{job.model, job.window, actions, status, person, settings, window};
  Project project{context, *this, *this};
};

}  // namespace korvane::testing
