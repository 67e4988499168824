#pragma once
// The part of the main window the source lists need, a job base folder and
// recorded hooks, for the source list tests.

#include <string>
#include <vector>

#include "korvane/core/form/component_names.h"
#include "korvane/core/common/settings_store.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/window_context.h"
#include "korvane/core/sources/source_lists.h"
#include "korvane/core/sources/wrap_types.h"
#include "platform/memory_settings.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane::testing {

inline FormModel& BuildSourcesForm(FormModel& form, ActionList& actions) {
  namespace n = names;
  form.Create<StringListHolder>(n::kMarksHolder, n::kForm);
  form.Create<PageControl>(n::kPageControlMain, n::kForm);
  form.Create<Page>(n::kPageNames, n::kPageControlMain, "Names and datasets");
  form.Create<GroupBox>(n::kGroupWrapType, n::kPageNames, "Select type of processing");
  auto& combo = form.Create<ComboBox>(n::kComboWrapType, n::kGroupWrapType);
  for (const auto& type : kWrapTypes) {
    combo.Combo().AddWithKey(std::string(type.comboCaption), std::string(type.code));
  }
  combo.Combo().SetItemIndex(0);
  form.Create<PageControl>(n::kPageControlCopySource, n::kPageNames);
  form.Create<Page>(n::kPageSources, n::kPageControlCopySource, "Source files to be wrapped");
  form.Create<Panel>(n::kPanelSources, n::kPageSources, "Source files of the project (0)");
  form.Create<CheckList>(n::kListSources, n::kPanelSources).SetSorted(true);
  form.Create<Page>(n::kPageCopies, n::kPageControlCopySource, "Copies to be expanded");
  form.Create<Panel>(n::kPanelCopies, n::kPageCopies, "Copy library of the project (0)");
  form.Create<CheckList>(n::kListCopies, n::kPanelCopies).SetSorted(true);
  form.Create<ButtonControl>(n::kButtonAddFilesToCpy, n::kPageNames, "Add copies", "");
  form.Create<GroupBox>(n::kGroupProgress, n::kPageNames, "Progress").SetVisible(false);
  form.Create<ProgressBar>(n::kProgressSources, n::kGroupProgress);
  form.Create<CheckList>(n::kListControlTags, n::kForm);
  form.Create<Label>("LabelTagged", n::kForm, "").SetTag(3);
  const char* const actionNames[] = {"ActAddFiles",
                                     "ActAddFilesToSources",
                                     n::kActAddFilesToCopies,
                                     "ActAddDirectories",
                                     "ActAddDirectoryToSources",
                                     n::kActAddDirectoryToCopies,
                                     "ActToggleSelect",
                                     "ActSelectAll",
                                     "ActUnselectAll",
                                     "ActRemoveFiles",
                                     "ActRemoveDuplicates",
                                     n::kActWrapTypeOnl,
                                     n::kActWrapTypeFile,
                                     n::kActWrapTypeModule,
                                     n::kActWrapTypeProc,
                                     n::kActApplyToAll,
                                     n::kActApplyToChecked,
                                     n::kActMarkToBeWrapped,
                                     "ActSortBySource",
                                     "ActSortByLevel",
                                     "ActSortByRuleName"};
  for (const char* name : actionNames) {
    actions.Add(name, name, "Sources");
  }
  return form;
}

struct SourcesFixture {
  SourcesFixture() {
    form.Get<PageControl>(names::kPageControlMain).SetActivePage(names::kPageNames);
    lists.outputDir = [this] { return (dir / "job"); };
    lists.langCode = [] { return std::string("COB"); };
    lists.subVersion = [] { return std::string(); };
    lists.interfaceMode = [this] { return interface; };
    lists.bigDirectoryLimit = [this] { return limit; };
    lists.setModified = [this] { ++modified; };
    lists.filterFor = [this](const std::string& kind, const std::string&) {
      filterKeys.push_back(kind);
      return filter;
    };
    lists.openLabelMarker = [this](const std::string& path) { markerPaths.push_back(path); };
    lists.showViewerPage = [this] { ++viewerShown; };
    lists.focusedControl = [this] { return focused; };
    lists.Connect(actions);
  }

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
  // Runs an action as the shell does: an abort ends it quietly.
  void run(const char* action) {
    try {
      actions.Get(action).Invoke();
    } catch (const OperationAbort&) {
      ++aborts;
    }
  }

  TempDir dir;
  FormModel form;
  ActionList actions;
  ScriptedPerson person;
  platform::MemorySettings backend;
  SettingsStore settings{backend};
  StatusBar status{person};
  WindowContext context{BuildSourcesForm(form, actions), actions, status, person, settings};
  SourceLists lists{context};

  bool interface = false;
  long long limit = 0;
  std::string filter = "Cobol (*.cbl;*.cob)|*.cbl;*.cob|Copies|*.cpy";
  std::string focused;
  int modified = 0;
  int viewerShown = 0;
  int aborts = 0;
  std::vector<std::string> filterKeys;
  std::vector<std::string> markerPaths;
};

}  // namespace korvane::testing
