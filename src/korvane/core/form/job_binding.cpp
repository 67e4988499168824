#include "korvane/core/form/job_binding.h"

#include <utility>

#include "korvane/core/components/controls.h"
#include "korvane/core/components/form_model.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/form/component_names.h"

namespace korvane {

namespace n = names;

JobModel BindJobModel(FormModel& form) {
  std::vector<RadioButton*> products;
  for (const char* name : n::kProductButtons) products.push_back(&form.Get<RadioButton>(name));
  return JobModel{
      .products = std::move(products),
      .baseFolder = form.Get<DirectoryFrame>(n::kFrameOutputDir),
      .sources = form.Get<CheckList>(n::kListSources),
      .copies = form.Get<CheckList>(n::kListCopies),
      .marks = form.Get<StringListHolder>(n::kMarksHolder),
      .wrapType = form.Get<ComboBox>(n::kComboWrapType),
      .mapType = form.Get<ComboBox>(n::kComboMapType),
      .interfaceType = form.Get<ComboBox>(n::kComboOutputInterface),
      .versions = form.Get<RadioGroup>(n::kRadioGroupVersions),
      .controlWords = form.Get<CheckList>(n::kListControlTags),
      .objects = form.Get<CheckList>(n::kListObjects),
      .nameMap = NameMap(form.Get<Memo>(n::kMemoNewFileNames)),
      .longExtensions = form.Get<Memo>(n::kMemoLongExtension),
      .console = form.Get<Memo>(n::kMemoCaptureConsole),
      .editor = form.Get<ToolPathFrame>(n::kFrameEditor),
      .copyLibrary = form.Get<ToolPathFrame>(n::kFrameCopylib),
      .functionTable = form.Get<ToolPathFrame>(n::kFrameFunctab),
      .dalmer = form.Get<ToolPathFrame>(n::kFrameDalmer),
      .ardent = form.Get<ToolPathFrame>(n::kFrameArdent),
      .belmont = form.Get<ToolPathFrame>(n::kFrameBelmont),
      .corvid = form.Get<ToolPathFrame>(n::kFrameCorvid),
      .linker = form.Get<ToolPathFrame>(n::kFrameLinker),
      .eskar = form.Get<ToolPathFrame>(n::kFrameEskar),
  };
}

JobWindow BindJobWindow(FormModel& form) {
  return JobWindow{
      .tree = form,
      .productName = form.Get<EditBox>(n::kEditProductName),
      .systemName = form.Get<EditBox>(n::kEditSystemName),
      .mainPages = form.Get<PageControl>(n::kPageControlMain),
      .copySourcePages = form.Get<PageControl>(n::kPageControlCopySource),
      .languagesPage = form.Get<Page>(n::kPageLanguages),
      .namesPage = form.Get<Page>(n::kPageNames),
      .technicalPage = form.Get<Page>(n::kPageTechnical),
      .wordScanPage = form.Get<Page>(n::kPageWordScan),
      .viewerPage = form.Get<Page>(n::kPageViewer),
      .sourcesPage = form.Get<Page>(n::kPageSources),
      .copiesPage = form.Get<Page>(n::kPageCopies),
      .sourcesPanel = form.Get<Panel>(n::kPanelSources),
      .copiesPanel = form.Get<Panel>(n::kPanelCopies),
      .wrapTypeGroup = form.Get<GroupBox>(n::kGroupWrapType),
      .mapTypeGroup = form.Get<GroupBox>(n::kGroupMapType),
      .objectsPage = form.Get<Page>(n::kPageObjects),
      .progress = form.Get<GroupBox>(n::kGroupProgress),
      .modulesBar = form.Get<ProgressBar>(n::kProgressModules),
      .sourcesBar = form.Get<ProgressBar>(n::kProgressSources),
      .configurationGroup = form.Get<GroupBox>(n::kGroupIniFile),
      .configuration = form.Get<Memo>(n::kMemoIniFile),
      .wordEdit = form.Get<EditBox>(n::kEditCreateWrdList),
      .controlWordEdit = form.Get<EditBox>(n::kEditCWrd),
      .wordType = form.Get<ComboBox>(n::kComboCreateWrdList),
      .controlWordType = form.Get<ComboBox>(n::kComboEditCWrd),
      .addWord = form.Get<ButtonControl>(n::kButtonCreateWrdList),
      .wordsView = form.Get<Memo>(n::kRichEditCTLWords),
      .objectsEdit = form.Get<EditBox>(n::kEditObjects),
  };
}

}  // namespace korvane
