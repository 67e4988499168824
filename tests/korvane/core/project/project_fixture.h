#pragma once
// The main window with a scripted person and in-memory settings, for the project tests.

#include <functional>

#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/project/project.h"
#include "support/window_parts.h"

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

struct ProjectFixture : CountingSaver, WindowParts {
  ProjectFixture() {
    pages().SetActivePage(names::kPageLanguages);
    window.SetCaption("Korvane Shell");
    project.BindNameFields();
  }

  PageControl& pages() { return form.Get<PageControl>(names::kPageControlMain); }
  EditBox& edit(const char* name) { return form.Get<EditBox>(name); }
  DirectoryFrame& frame() { return form.Get<DirectoryFrame>(names::kFrameOutputDir); }
  bool saveEnabled() { return actions.Get(names::kActSaveProject).Enabled(); }

  Project project{context, *this, *this};
};

}  // namespace korvane::testing
