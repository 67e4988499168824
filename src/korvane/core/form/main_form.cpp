#include "korvane/core/form/main_form.h"

#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/form/component_names.h"

namespace korvane {

namespace n = names;

namespace {

void BuildLanguagePage(FormModel& form) {
  form.Create<Page>(n::kPageLanguages, n::kPageControlMain, "Language selection");
  form.Create<GroupBox>(n::kGroupLanguages, n::kPageLanguages, "Languages to wrap");
  form.Create<Label>(n::kLabelPrograms, n::kGroupLanguages, "Programs");
  form.Create<Label>(n::kLabelInterfaces, n::kGroupLanguages, "Intefaces");
  // Component order decides the default product when the configured one is
  // unusable; keep it.
  form.Create<RadioButton>("RadioButtonASM", n::kGroupLanguages, "Assembler");
  form.Create<RadioButton>("RadioButtonCobol", n::kGroupLanguages, "Cobol");
  form.Create<RadioButton>("RadioButtonPLI", n::kGroupLanguages, "PL/I");
  form.Create<RadioButton>("RadioButtonC_CPP", n::kGroupLanguages, "C/C++");
  form.Create<RadioButton>("RadioButtonCobScrn", n::kGroupLanguages, "COBSCRN");
  form.Create<RadioButton>("RadioButtonCicsBms", n::kGroupLanguages, "CICS-BMS");
  form.Create<RadioButton>("RadioButtonImsMfs", n::kGroupLanguages, "IMS-MFS");
  form.Create<RadioButton>("RadioButtonHTML", n::kGroupLanguages, "HTML");
  auto& versions = form.Create<RadioGroup>(n::kRadioGroupVersions, n::kPageLanguages);
  versions.SetCaption("Output interface version");
  versions.SetVisible(false);
}

void BuildNamesPage(FormModel& form) {
  form.Create<Page>(n::kPageNames, n::kPageControlMain, "Names and datasets");
  form.Create<GroupBox>(n::kGroupNames, n::kPageNames, "Names");
  auto& product = form.Create<EditBox>(n::kEditProductName, n::kGroupNames);
  product.SetCaption("Product name");
  product.SetMaxLength(8);
  product.SetHint("The name of the product to be processed (Max. 8 characters)");
  auto& system = form.Create<EditBox>(n::kEditSystemName, n::kGroupNames);
  system.SetCaption("System name");
  system.SetMaxLength(8);
  system.SetHint("The name of the system to be processed (Max. 8 characters)");

  form.Create<GroupBox>(n::kGroupDataSets, n::kPageNames, "Data set definitions");
  form.Create<DirectoryFrame>(n::kFrameOutputDir, n::kGroupDataSets,
                              "Base directory for the wrapping job");

  form.Create<GroupBox>(n::kGroupWrapType, n::kPageNames, "Select type of processing");
  form.Create<ComboBox>(n::kComboWrapType, n::kGroupWrapType);
  form.Create<ButtonControl>(n::kButtonApplyType, n::kGroupWrapType, "Apply type",
                             n::kActApplyToAll);
  form.Create<GroupBox>(n::kGroupMapType, n::kPageNames, "Map type");
  form.Create<ComboBox>(n::kComboMapType, n::kGroupMapType);
  form.Create<GroupBox>(n::kGroupOutputInterface, n::kPageNames, "Output interface");
  form.Create<ComboBox>(n::kComboOutputInterface, n::kGroupOutputInterface);

  form.Create<PageControl>(n::kPageControlCopySource, n::kPageNames);
  form.Create<Page>(n::kPageSources, n::kPageControlCopySource, "Source files to be wrapped");
  form.Create<Panel>(n::kPanelSources, n::kPageSources, "Source files of the project (0)");
  form.Create<CheckList>(n::kListSources, n::kPanelSources).SetSorted(true);
  form.Create<Page>(n::kPageCopies, n::kPageControlCopySource, "Copies to be expanded");
  form.Create<Panel>(n::kPanelCopies, n::kPageCopies, "Copy library of the project (0)");
  form.Create<CheckList>(n::kListCopies, n::kPanelCopies).SetSorted(true);
  form.Create<ButtonControl>(n::kButtonAddFilesToSrc, n::kPageNames, "Add files",
                             "ActAddFilesToSources");
  form.Create<ButtonControl>(n::kButtonAddDirsToSrc, n::kPageNames, "Add directories",
                             "ActAddDirectoryToSources");
  form.Create<ButtonControl>(n::kButtonAddFilesToCpy, n::kPageNames, "Add copies",
                             n::kActAddFilesToCopies);
  form.Create<ButtonControl>(n::kButtonAddDirsToCpy, n::kPageNames, "Add copy directories",
                             n::kActAddDirectoryToCopies);
  form.Create<GroupBox>(n::kGroupProgress, n::kPageNames, "Progress").SetVisible(false);
  form.Create<ProgressBar>(n::kProgressSources, n::kGroupProgress);
  form.Create<ProgressBar>(n::kProgressModules, n::kGroupProgress);
}

void BuildTechnicalPage(FormModel& form) {
  form.Create<Page>(n::kPageTechnical, n::kPageControlMain, "Technical parameters");
  form.Create<GroupBox>(n::kGroupIniFile, n::kPageTechnical, "Product ini file : ");
  auto& memo = form.Create<Memo>(n::kMemoIniFile, n::kGroupIniFile);
  memo.SetHint("The tool configuration; edits take effect with Apply changes");
  form.Create<ButtonControl>(n::kButtonApplyChanges, n::kGroupIniFile, "Apply changes",
                             n::kActApplyIniFile);

  // The editor only turns red when missing: it never asks and never fails.
  form.Create<ToolPathFrame>(n::kFrameEditor, n::kPageTechnical, "External editor & viewer")
      .SetTag(1);
  form.Create<ToolPathFrame>(n::kFrameCopylib, n::kPageTechnical, "Wrapper copy library");
  form.Create<ToolPathFrame>(n::kFrameFunctab, n::kPageTechnical, "Function table");
  form.Create<ToolPathFrame>(n::kFrameDalmer, n::kPageTechnical, "Online wrapper program ");
  form.Create<ToolPathFrame>(n::kFrameArdent, n::kPageTechnical, "Batch wrapper program ");
  form.Create<ToolPathFrame>(n::kFrameBelmont, n::kPageTechnical, "Subprogram wrapper program ");
  form.Create<ToolPathFrame>(n::kFrameCorvid, n::kPageTechnical, "Procedure wrapper program ");
  form.Create<ToolPathFrame>(n::kFrameLinker, n::kPageTechnical,
                             "Linker program for wrapper interfaces");
  form.Create<ToolPathFrame>(n::kFrameEskar, n::kPageTechnical, "Interface wrapper program ");

  form.Create<PageControl>(n::kPageControlExtended, n::kPageTechnical);
  form.Create<Page>(n::kPageNewFileNames, n::kPageControlExtended, "NewFileNames");
  form.Create<Memo>(n::kMemoNewFileNames, n::kPageNewFileNames);
  form.Create<Page>(n::kPageLongExtensions, n::kPageControlExtended, "Longextensions");
  form.Create<Memo>(n::kMemoLongExtension, n::kPageLongExtensions);
}

void BuildWordPages(FormModel& form) {
  form.Create<Page>(n::kPageWordScan, n::kPageControlMain, "Edit word list");
  form.Create<EditBox>(n::kEditCreateWrdList, n::kPageWordScan).SetCaption("Control word");
  // A type box also takes a typed type; only its first four characters count.
  auto& types = form.Create<ComboBox>(n::kComboCreateWrdList, n::kPageWordScan).Combo();
  types.SetPickOnly(false);
  types.SetAllowTextEntry(true);
  // Greyed until the word lists take its clicks.
  form.Create<ButtonControl>(n::kButtonCreateWrdList, n::kPageWordScan, "Add to list", "")
      .SetEnabled(false);
  form.Create<CheckList>(n::kListControlTags, n::kPageWordScan);
  form.Create<EditBox>(n::kEditCWrd, n::kPageWordScan).SetCaption("Edit control word");
  auto& editTypes = form.Create<ComboBox>(n::kComboEditCWrd, n::kPageWordScan).Combo();
  editTypes.SetPickOnly(false);
  editTypes.SetAllowTextEntry(true);
  // The source control words are picked from; it only shows what was loaded.
  form.Create<Memo>(n::kRichEditCTLWords, n::kPageWordScan).SetReadOnly(true);

  form.Create<Page>(n::kPageObjects, n::kPageControlMain, "Objects");
  form.Create<CheckList>(n::kListObjects, n::kPageObjects);
  // Shown only while an object is edited in place.
  form.Create<EditBox>(n::kEditObjects, n::kPageObjects).SetVisible(false);
}

void BuildPages(FormModel& form) {
  form.Create<StringListHolder>(n::kMarksHolder, n::kForm);
  form.Create<PageControl>(n::kPageControlMain, n::kForm);
  BuildLanguagePage(form);
  BuildNamesPage(form);
  BuildTechnicalPage(form);
  BuildWordPages(form);
  form.Create<Page>(n::kPageViewer, n::kPageControlMain, "Internal viewer").SetVisible(false);
  auto& console = form.Create<Memo>(n::kMemoCaptureConsole, n::kForm);
  console.SetReadOnly(true);
  console.SetVisible(false);
  // What the window can show of a tool's console; Console.log keeps every line.
  console.SetLineLimit(2000);
}

struct ActionSpec {
  const char* name;
  const char* caption;
  const char* category;
  const char* shortcut;
};

// The main action list in its fixed order. Captions are the shell's own.
constexpr ActionSpec kActions[] = {
    {n::kActNewProject, "New job", "File", "Ctrl+N"},
    {n::kActOpenProject, "&Open existing job", "File", "Ctrl+O"},
    {n::kActSaveProject, "&Save ", "File", "Ctrl+S"},
    {n::kActSaveProjectAs, "Save job as...", "File", ""},
    {n::kActRestartProject, "Reset output", "File", ""},
    {n::kActCloseAll, "&Exit", "File", "Alt+X"},
    {"ActAddFiles", "Add &files ", "Sources", ""},
    {"ActAddFilesToSources", "Add file(s) to the sources to be wrapped", "Sources", ""},
    {n::kActAddFilesToCopies, "Add files to the copy library", "Sources", ""},
    {"ActAddDirectories", "Add complete directories ", "Sources", ""},
    {"ActAddDirectoryToSources", "Add a whole directory to the sources to be wrapped", "Sources",
     ""},
    {n::kActAddDirectoryToCopies, "Add a whole directory to the copy library", "Sources", ""},
    {"ActToggleSelect", "&Reverse the selection", "Sources", ""},
    {"ActSelectAll", "Select &all items in the list", "Sources", ""},
    {"ActUnselectAll", "&Unselect all of the items", "Sources", ""},
    {"ActRemoveFiles", "Remove &unchecked list items", "Sources", ""},
    {"ActRemoveDuplicates", "Remove duplicates", "Sources", ""},
    {n::kActWrapTypeOnl, "Transaction wrapping", "Sources", ""},
    {n::kActWrapTypeFile, "File wrapping", "Sources", ""},
    {n::kActWrapTypeModule, "Subprogram wrapping", "Sources", ""},
    {n::kActWrapTypeProc, "Procedure  wrapping", "Sources", ""},
    {n::kActApplyToAll, "Apply type to all entries", "Sources", ""},
    {n::kActApplyToChecked, "Apply type to marked entries", "Sources", ""},
    {n::kActMarkToBeWrapped, "Mark labels of entities to be wrapped ", "Sources", ""},
    {"ActSortBySource", "Sort by source file name", "Sort", ""},
    {"ActSortByLevel", "Sort by deficiency level", "Sort", ""},
    {"ActSortByRuleName", "Sort by rules", "Sort", ""},
    {n::kActSynchronizeDirectories, "Schynronize job directories", "Preparation", ""},
    {n::kActRunWrap, "Start wrapper", "Run", "F9"},
    {n::kActRunTool, "&Start tool", n::kCategoryPreparation, ""},
    {"ActCancelRun", "Skip the rest of processing (&Cancel run)", "Run", ""},
    {"ActPrepareXML", "Generate the XML interface parameters ", n::kCategoryPreparation, ""},
    {"ActCopyFiles", "Copy files from original locations to project input directory",
     n::kCategoryPreparation, ""},
    {"ActCountLinesOnly", "Count source lines", n::kCategoryPreparation, ""},
    {"ActDeleteFilesAfter", "Delete copied files after run from temporary input directory",
     n::kCategoryPreparation, ""},
    {n::kActRename, "Rename result files", n::kCategoryPreparation, ""},
    {"ActDontRun", "Stop before starting COBOL subtask", n::kCategoryPreparation, ""},
    {n::kActSwitchOnLog, "Show console", "Run", ""},
    {n::kActSwitchOffLog, "Hide console", "Run", ""},
    {"ActLoadTextFile", "Load a text file to pick up control words", n::kCategoryWordList, ""},
    {"ActLoadWordList", "Import a word list", n::kCategoryWordList, ""},
    {"ActSaveWordList", "Export word list to a file", n::kCategoryWordList, ""},
    {"ActAddSelectedToList", "Add selected text to word list", n::kCategoryWordList, "Ctrl+A"},
    {"ActViewGeneral", "Open a file in the general internal viewer", n::kCategoryViewer, "Ctrl+W"},
    {"ActViewProductLog", "View product log (<Productname>.log)", n::kCategoryViewer, "Ctrl+L"},
    {n::kActViewConsoleLog, "View console log from the last run", n::kCategoryViewer, ""},
    {"ActViewParameters", "Show XML parameter file in a viewer tab", n::kCategoryPreparation, ""},
    {"ActViewNotepad", "Call external editor", n::kCategoryViewer, ""},
    {"ActCloseTab", "Close current page", n::kCategoryViewer, "Ctrl+F4"},
    {"ActCloseAllPages", "Close all editor pages", n::kCategoryViewer, ""},
    {"ActSelectFont", "Select font for the viewer", n::kCategoryViewer, ""},
    {"ActFindText", "&Find text ", "Sort", "Ctrl+Shift+F"},
    {"ActFindNextText", "Find next", n::kCategoryViewer, "F3"},
    {n::kActApplyIniFile, "Apply changes", "Technical", ""},
    {n::kActWriteIniFile, "Save initialisation parameters", "Technical", ""},
    {n::kActShowAdvanced, "Show extended options", "Technical", ""},
    {n::kActHelpShell, "Help", "Help", "F1"},
    {n::kActAbout, "About", "Help", ""},
};

void BuildActions(ActionList& actions) {
  for (const ActionSpec& spec : kActions) {
    Action& action = actions.Add(spec.name, spec.caption, spec.category);
    action.SetShortcut(spec.shortcut);
  }
  // Toggles and choices show their check mark whether it is set or not.
  for (const char* name :
       {n::kActShowAdvanced, "ActSortBySource", "ActSortByLevel", "ActSortByRuleName"}) {
    actions.Get(name).SetCheckable(true);
  }
  actions.Get(n::kActShowAdvanced).SetVisible(false);
  actions.Get(n::kActViewConsoleLog).SetVisible(false);
}

}  // namespace

void BuildMainForm(FormModel& form, ActionList& actions) {
  BuildPages(form);
  BuildActions(actions);
}

void DisableUnhandledActions(ActionList& actions) {
  // Commands whose subsystem is not part of this build stay greyed rather
  // than pretending to work.
  for (const auto& action : actions.All()) {
    if (!action->HasHandler()) action->SetUnavailable(kNotInThisVersion);
  }
}

}  // namespace korvane
