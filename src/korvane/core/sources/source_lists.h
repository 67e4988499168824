#pragma once
// The job's two file lists, sources to be wrapped and copies to be expanded:
// adding files and directory trees (each copied into its collection folder),
// checking and removing entries, the wrapping type of each source, and the
// list layout values.

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "korvane/core/components/controls.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/components/window_context.h"
#include "korvane/core/sources/file_list.h"

namespace korvane {

class SourceLists {
 public:
  explicit SourceLists(WindowContext& context);

  // --- hooks the shell sets -------------------------------------------------
  std::function<std::string()> outputDir;  // the job base directory, no trailing "/"
  std::function<std::string()> langCode;
  std::function<std::string()> subVersion;
  std::function<bool()> interfaceMode;  // the interface wrapper is offered
  std::function<long long()> bigDirectoryLimit;
  std::function<void()> setModified;
  std::function<std::string(const std::string&, const std::string&)> filterFor;
  std::function<void(const std::string&)> openLabelMarker;
  std::function<void()> showViewerPage;
  // Pixel width of a text in the list font; 7 px per character by default.
  std::function<int(std::string_view)> textWidth;
  // Name of the control that has the input focus (empty: none known).
  std::function<std::string()> focusedControl;

  // Sets the handlers of the list actions and the type combo's click.
  void Connect(ActionList& actions);

  // --- the active list, following the copy/source tab -----------------------
  bool SourcesActive() const { return sourcesActive_; }
  FileList& ActiveList() { return sourcesActive_ ? sources_ : copies_; }
  FileList& Sources() { return sources_; }
  FileList& Copies() { return copies_; }
  const std::string& CollectionFolderName() const { return folderName_; }
  const std::string& KeySuffix() const { return keySuffix_; }
  // {base}: the output directory with one trailing "/".
  std::string Base() const;
  // Set while a directory tree is being added: closing the window must wait.
  bool Busy() const { return busy_; }

  // --- adding ----------------------------------------------------------------
  void AddFiles();
  void AddFilesToSources();
  void AddFilesToCopies();
  void AddDirectories();
  void AddDirectoryToSources();
  void AddDirectoryToCopies();
  // Files and directories dropped on one of the add buttons or list panels.
  void DropFiles(const std::string& target, const std::vector<std::string>& paths);
  void AddDirectoryTree(const std::string& directory, bool quiet);

  // --- check actions: target is the invoking control's name ------------------
  void ToggleSelect(const std::string& invoker = "");
  void SelectAll(const std::string& invoker = "");
  void UnselectAll(const std::string& invoker = "");
  void RemoveFiles(const std::string& invoker = "");
  void RemoveDuplicates(const std::string& invoker = "");

  // --- wrapping types --------------------------------------------------------
  void WrapType(const std::string& code);
  void ComboClick();
  void ApplyToAll() { ApplyType(false); }
  void ApplyToChecked() { ApplyType(true); }
  void MarkToBeWrapped();
  // Records the chosen result order: that action checked, the other two not.
  void SortBy(const std::string& actionName);
  // A click on a source line (or a navigation key released in the list).
  void HighlightSource(int index);
  void SetEntryWrapType(int index, const std::string& code);

  // --- refreshing --------------------------------------------------------------
  void ValidateFileList(bool mustHaveChecked);
  void UpdateListColumns(CheckList& list);
  void SelectFirstEntry(CheckList& list);
  // The list panel's caption: its text up to "(" and the entry count.
  void UpdatePanelCaption(CheckList& list);

  // Where the parts of a list line are drawn, relative to the line's left
  // edge, with the column widths of the last UpdateListColumns.
  struct LineLayout {
    std::string name;
    std::string typeCaption;  // sources only
    std::string path;
    int nameX = 0;
    int typeX = 0;
    int pathX = 0;
  };
  LineLayout LayoutOf(const CheckList& list, int index);

 private:
  // One list with its collection, fixed when an operation starts: the tab may
  // change while pending events are processed during a long add.
  struct Target {
    FileList* list;
    std::string folder;  // {base}{collection folder name}
    std::string keySuffix;
    bool sources;
  };
  Target Current();
  Target TargetOf(FileList& list);
  void Validate(const Target& target, bool mustHaveChecked);
  void FollowCopySourcePage();
  void ShowNamesPage();
  void ShowCopySourcePage(const char* page);
  void CreateCollection(const Target& target);
  std::string FilterOf(const Target& target);
  // Copies one file in and adds its entry; false when it was skipped. Without
  // an accepted list every extension is taken (the tree search filtered).
  bool AddOneFile(const Target& target, const std::string& path, bool first,
                  const std::unordered_set<std::string>* accepted);
  void FinishAdding(const Target& target);
  int TypeColumnWidth() const;
  int WidthOf(std::string_view text) const;
  void ApplyType(bool checkedOnly);
  void EnableMarking(const std::string& code);
  CheckList& CheckListTarget(const std::string& invoker);
  FileList* FileListOf(const CheckList& list);
  void SetChecks(const std::string& invoker, int mode);
  void Modified();

  WindowContext& context_;
  CheckList& sourceList_;
  CheckList& copyList_;
  FileList sources_;
  FileList copies_;
  StringListHolder& marks_;
  ComboBox& wrapCombo_;
  PageControl& copySource_;
  bool sourcesActive_ = true;
  std::string folderName_ = "SourceCollection";
  std::string keySuffix_;
  bool busy_ = false;
  int sourceNameWidth_ = 0;
  int copyNameWidth_ = 0;
  ConnectionList connections_;
};

}  // namespace korvane
