#pragma once
// Names of the main window's components and actions that the code refers to.
// They are file formats (job files, caption overrides), so never rename them.

namespace korvane::names {

inline constexpr const char* kForm = "frmKorvaneMain";
inline constexpr const char* kStatusBar = "MyStB";
inline constexpr const char* kMarksHolder = "StLHWrapperMarks";

// Pages
inline constexpr const char* kPageControlMain = "PageControlMain";
inline constexpr const char* kPageLanguages = "TabSheetLangSel_Korvane";
inline constexpr const char* kPageNames = "TabSheetNames";
inline constexpr const char* kPageTechnical = "TabSheetTechnical";
inline constexpr const char* kPageWordScan = "TabSheetWordScan";
inline constexpr const char* kPageObjects = "TabSheetObjects";
inline constexpr const char* kPageViewer = "TabSheetViewer";
inline constexpr const char* kPageControlExtended = "PageControlExtended";
inline constexpr const char* kPageNewFileNames = "TabSheetNewFileNames";
inline constexpr const char* kPageLongExtensions = "TabSheetLongextensions";
inline constexpr const char* kPageControlCopySource = "PageControlCopySource";
inline constexpr const char* kPageSources = "TabSheetSelectedFiles";
inline constexpr const char* kPageCopies = "TabSheetUsedCopies";

// Language page
inline constexpr const char* kGroupLanguages = "GroupBoxLanguages";
inline constexpr const char* kLabelPrograms = "LabelPrograms";
inline constexpr const char* kLabelInterfaces = "LabelInterfaces";
inline constexpr const char* kRadioGroupVersions = "RadioGroupLangver_Korvane";

// The product choices, in the window's order (which decides the default product when
// the configured one is unusable).
inline constexpr const char* kProductButtons[] = {
    "RadioButtonASM",     "RadioButtonCobol",   "RadioButtonPLI",    "RadioButtonC_CPP",
    "RadioButtonCobScrn", "RadioButtonCicsBms", "RadioButtonImsMfs", "RadioButtonHTML"};
// Names page
inline constexpr const char* kGroupNames = "GroupBoxNames";
inline constexpr const char* kEditProductName = "EditProductName";
inline constexpr const char* kEditSystemName = "EditSystemName";
inline constexpr const char* kGroupDataSets = "GroupBoxDataSets";
inline constexpr const char* kFrameOutputDir = "FrameFindDirectoryOutputDir";
inline constexpr const char* kGroupWrapType = "GroupBoxWrapType";
inline constexpr const char* kComboWrapType = "IncComboWrapType";
inline constexpr const char* kButtonApplyType = "ButtonApplyType";
inline constexpr const char* kGroupMapType = "GroupBoxMapType";
inline constexpr const char* kComboMapType = "IncComboMapType";
inline constexpr const char* kGroupOutputInterface = "GroupBoxOutputInterface";
inline constexpr const char* kComboOutputInterface = "IncComboOutputInterface";
inline constexpr const char* kPanelSources = "PanelWM_DropSelectedFiles";
inline constexpr const char* kListSources = "CheckListBoxSelectedFiles";
inline constexpr const char* kPanelCopies = "PanelWM_DropUsedCopies";
inline constexpr const char* kListCopies = "CheckListBoxUsedCopies";
inline constexpr const char* kButtonAddFilesToSrc = "BitBtnAddFilesToSrc";
inline constexpr const char* kButtonAddDirsToSrc = "BitBtnAddDirsToSrc";
inline constexpr const char* kButtonAddFilesToCpy = "BitBtnAddFilesToCpy";
inline constexpr const char* kButtonAddDirsToCpy = "BitBtnAddDirsToCpy";
inline constexpr const char* kGroupProgress = "GroupBoxSlider";
inline constexpr const char* kProgressSources = "ProgressBarSources";
inline constexpr const char* kProgressModules = "ProgressBarModules";

// Technical page
inline constexpr const char* kGroupIniFile = "GroupBoxIniFile";
inline constexpr const char* kMemoIniFile = "MemoIniFile";
inline constexpr const char* kButtonApplyChanges = "ButtonApplyChanges";
inline constexpr const char* kMemoNewFileNames = "MemoNewFileNames";
inline constexpr const char* kMemoLongExtension = "MemoLongextension";
inline constexpr const char* kFrameEditor = "FrameFindexecEditorGeneral";
inline constexpr const char* kFrameCopylib = "FrameFindexecCopylib";
inline constexpr const char* kFrameFunctab = "FrameFindexecFunctab";
inline constexpr const char* kFrameDalmer = "FrameFindexecDalmer";
inline constexpr const char* kFrameArdent = "FrameFindexecArdent";
inline constexpr const char* kFrameBelmont = "FrameFindexecBelmont";
inline constexpr const char* kFrameCorvid = "FrameFindexecCorvid";
inline constexpr const char* kFrameLinker = "FrameFindexecLinker";
inline constexpr const char* kFrameEskar = "FrameFindexecEskar";

// Word list and objects pages
inline constexpr const char* kEditCreateWrdList = "EditCreateWrdList";
inline constexpr const char* kComboCreateWrdList = "ComboBoxCreateWrdList";
inline constexpr const char* kButtonCreateWrdList = "ButtonCreateWrdList";
inline constexpr const char* kListControlTags = "CheckListBoxControlTags";
inline constexpr const char* kEditCWrd = "EditCWrd";
inline constexpr const char* kComboEditCWrd = "ComboBoxEditCWrd";
inline constexpr const char* kListObjects = "CheckListBoxObjects";
inline constexpr const char* kEditObjects = "EditObjects";
inline constexpr const char* kRichEditCTLWords = "RichEditCTLWords";

inline constexpr const char* kMemoCaptureConsole = "MemoCaptureConsole";

// Actions
inline constexpr const char* kActWriteIniFile = "ActWriteINIFile";
inline constexpr const char* kActApplyIniFile = "ActApplyINIFile";
inline constexpr const char* kActCloseAll = "ActCloseAll";
inline constexpr const char* kActNewProject = "ActNewProject";
inline constexpr const char* kActOpenProject = "ActOpenProject";
inline constexpr const char* kActSaveProject = "ActSaveProject";
inline constexpr const char* kActSaveProjectAs = "ActSaveProjectAs";
inline constexpr const char* kActRestartProject = "ActRestartProject";
inline constexpr const char* kActShowAdvanced = "ActShowAdvanced";
inline constexpr const char* kActAbout = "ActAbout";
inline constexpr const char* kActHelpShell = "ActHelpShell";
inline constexpr const char* kActRunWrap = "ActRunWrap";
inline constexpr const char* kActRunTool = "ActRunTool";
inline constexpr const char* kActRename = "ActRename";
inline constexpr const char* kActSynchronizeDirectories = "ActSynchronizeDirectories";
inline constexpr const char* kActViewConsoleLog = "ActViewConsoleLog";
inline constexpr const char* kActMarkToBeWrapped = "ActMarkToBeWrapped";
inline constexpr const char* kActApplyToAll = "ActApplyToAll";
inline constexpr const char* kActApplyToChecked = "ActApplyToChecked";
inline constexpr const char* kActAddFilesToCopies = "ActAddFilesToCopies";
inline constexpr const char* kActAddDirectoryToCopies = "ActAddDirectoryToCopies";
inline constexpr const char* kActWrapTypeOnl = "ActWrapTypeOnl";
inline constexpr const char* kActWrapTypeFile = "ActWrapTypeFile";
inline constexpr const char* kActWrapTypeModule = "ActWrapTypeModule";
inline constexpr const char* kActWrapTypeProc = "ActWrapTypeProc";
inline constexpr const char* kActSwitchOnLog = "ActSwitchOnLog";
inline constexpr const char* kActSwitchOffLog = "ActSwitchOffLog";

// Action categories that rules refer to.
inline constexpr const char* kCategoryPreparation = "Preparation";
inline constexpr const char* kCategoryWordList = "WordList";
inline constexpr const char* kCategoryViewer = "Viewer";

}  // namespace korvane::names
