#pragma once
// The main window, a job base folder and recorded hooks, for the source list tests.

#include <string>
#include <vector>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/settings_store.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/form/job_binding.h"
#include "korvane/core/form/main_form.h"
#include "korvane/core/form/window_context.h"
#include "korvane/core/sources/source_lists.h"
#include "korvane/core/sources/wrap_types.h"
#include "platform/memory_settings.h"
#include "platform/system_paths.h"
#include "support/scripted_person.h"
#include "support/svc_observations.h"
#include "support/temp_dir.h"

namespace korvane::testing {

// The real window with the wrapping types in the combo as the catalogue fills them, the
// first one chosen, and no interface wrapper.
inline FormModel& BuildSourcesForm(FormModel& form, ActionList& actions) {
  BuildMainForm(form, actions);
  IncCombo& combo = form.Get<ComboBox>(names::kComboWrapType).Combo();
  for (const auto& type : kWrapTypes) {
    combo.AddWithKey(std::string(type.comboCaption), std::string(type.code));
  }
  combo.SetItemIndex(0);
  form.Get<ToolPathFrame>(names::kFrameEskar).SetVisible(false);
  form.Get<PageControl>(names::kPageControlMain).SetActivePage(names::kPageNames);
  return form;
}

// The job around the lists: a base folder in a temporary directory, the COBOL product,
// and a record of the filters asked for and the changes announced.
struct FixtureJob : SourcesJob {
  TempDir dir;
  long long limit = 0;
  std::string filter = "Cobol (*.cbl;*.cob)|*.cbl;*.cob|Copies|*.cpy";
  int modified = 0;
  std::vector<std::string> filterKeys;

  std::string WritableBase() override { return dir / "job"; }
  std::string WhyNotWritable() const override { return {}; }
  std::string BaseDirectory() const override { return dir / "job"; }
  std::string LangCode() const override { return "COB"; }
  std::string SubVersion() const override { return {}; }
  std::string FilterFor(const std::string& kind, const std::string&) override {
    filterKeys.push_back(kind);
    return filter;
  }
  long long BigDirectoryLimit() const override { return limit > 0 ? limit : 50; }
  void SetModified() override { ++modified; }
};

struct SourcesFixture : FixtureJob {
  SourcesFixture() { lists.Connect(actions); }

  // The interface wrapper is offered when its tool frame shows.
  void SetInterface(bool on) { form.Get<ToolPathFrame>(names::kFrameEskar).SetVisible(on); }
  void Focus(const char* name) { form.SetFocused(name); }

  CheckList& sources() { return form.Get<CheckList>(names::kListSources); }
  CheckList& copies() { return form.Get<CheckList>(names::kListCopies); }
  std::string caption(const char* panel) { return form.Get<Panel>(panel).Caption(); }
  KeyedLines& marks() { return form.Get<StringListHolder>(names::kMarksHolder).Keyed(); }
  IncCombo& combo() { return form.Get<ComboBox>(names::kComboWrapType).Combo(); }
  std::vector<std::string> texts(const CheckList& list) const {
    std::vector<std::string> out;
    for (const auto& item : list.Items()) out.push_back(item.text);
    return out;
  }
  // The lists, their captions, the wrapping marks, the status bar, the counters and
  // what the person saw since the last look.
  void Look(Observations& o, const std::string& step) {
    o.Step(step);
    o("sources", sources())("copies", copies())("marks", job.model.marks.StringList());
    o("captions", caption(names::kPanelSources) + " | " + caption(names::kPanelCopies));
    o("status", status.Text())("modified", modified)("aborts", aborts);
    o.Take("person", person.transcript);
  }
  // The temporary folder, with the separator a path joined to it gets, and the folder the
  // first file dialog opens in.
  Placeholders Dirs() const {
    return {{"{dir}/", (dir.Path() / "").string()},
            {"{dir}", dir.Path().string()},
            {"{personal}", platform::PersonalFolder()}};
  }
  // Runs an action as the shell does: an abort ends it quietly.
  void run(const char* action) {
    try {
      actions.Get(action).Invoke();
    } catch (const OperationAbort&) {
      ++aborts;
    }
  }

  FormModel form;
  ActionList actions;
  ScriptedPerson person;
  platform::MemorySettings backend;
  SettingsStore settings{backend};
  StatusBar status{person};
  WindowState window;
  BoundJob job{BuildSourcesForm(form, actions)};
  WindowContext context{job.model, job.window, actions, status, person, settings, window};
  SourceLists lists{context, *this};
  int aborts = 0;
};

}  // namespace korvane::testing
