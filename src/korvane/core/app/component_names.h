#pragma once
// Names of the main window's components and actions that the code refers to.
// They are file formats (job files, caption overrides), so never rename them.

namespace korvane::names {

inline constexpr const char* kForm = "frmKorvaneMain";
inline constexpr const char* kStatusBar = "MyStB";
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

inline constexpr const char* kGroupIniFile = "GroupBoxIniFile";
inline constexpr const char* kMemoIniFile = "MemoIniFile";
inline constexpr const char* kButtonApplyChanges = "ButtonApplyChanges";
inline constexpr const char* kMemoNewFileNames = "MemoNewFileNames";
inline constexpr const char* kMemoLongExtension = "MemoLongextension";
inline constexpr const char* kMemoCaptureConsole = "MemoCaptureConsole";

inline constexpr const char* kActWriteIniFile = "ActWriteINIFile";
inline constexpr const char* kActApplyIniFile = "ActApplyINIFile";
inline constexpr const char* kActCloseAll = "ActCloseAll";

}  // namespace korvane::names
