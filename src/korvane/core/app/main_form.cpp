#include "korvane/core/app/main_form.h"

#include "korvane/core/app/component_names.h"
#include "korvane/core/components/controls.h"

namespace korvane {

namespace n = names;

namespace {

void BuildPages(FormModel& form) {
  form.Create<PageControl>(n::kPageControlMain, n::kForm);
  form.Create<Page>(n::kPageLanguages, n::kPageControlMain, "Language selection");
  form.Create<Page>(n::kPageNames, n::kPageControlMain, "Names and datasets");
  form.Create<Page>(n::kPageTechnical, n::kPageControlMain, "Technical parameters");
  form.Create<Page>(n::kPageWordScan, n::kPageControlMain, "Edit word list");
  form.Create<Page>(n::kPageObjects, n::kPageControlMain, "Objects");
  form.Create<Page>(n::kPageViewer, n::kPageControlMain, "Internal viewer").SetVisible(false);
}

void BuildTechnicalPage(FormModel& form) {
  form.Create<GroupBox>(n::kGroupIniFile, n::kPageTechnical, "Product ini file : ");
  auto& memo = form.Create<Memo>(n::kMemoIniFile, n::kGroupIniFile);
  memo.SetHint("The tool configuration; edits take effect with Apply changes");
  form.Create<ButtonControl>(n::kButtonApplyChanges, n::kGroupIniFile, "Apply changes",
                             n::kActApplyIniFile);
  form.Create<PageControl>(n::kPageControlExtended, n::kPageTechnical);
  form.Create<Page>(n::kPageNewFileNames, n::kPageControlExtended, "NewFileNames");
  form.Create<Memo>(n::kMemoNewFileNames, n::kPageNewFileNames);
  form.Create<Page>(n::kPageLongExtensions, n::kPageControlExtended, "Longextensions");
  form.Create<Memo>(n::kMemoLongExtension, n::kPageLongExtensions);
}

void BuildConsole(FormModel& form) {
  auto& console = form.Create<Memo>(n::kMemoCaptureConsole, n::kForm);
  console.SetReadOnly(true);
  console.SetVisible(false);
}

void BuildActions(ActionList& actions) {
  auto& close = actions.Add(n::kActCloseAll, "&Exit", "File");
  close.SetShortcut("Alt+X");
  actions.Add(n::kActApplyIniFile, "Apply changes", "Technical")
      .SetHint("Apply the edited initialisation parameters");
  actions.Add(n::kActWriteIniFile, "Save initialisation parameters", "Technical")
      .SetHint("Save the initialisation parameters to the product ini file");
}

}  // namespace

void BuildMainForm(FormModel& form, ActionList& actions) {
  BuildPages(form);
  BuildTechnicalPage(form);
  BuildConsole(form);
  BuildActions(actions);
}

}  // namespace korvane
