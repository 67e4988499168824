#pragma once
// The job's two file lists, sources to be wrapped and copies to be expanded:
// adding files and directory trees (each copied into its collection folder),
// checking and removing entries, the wrapping type of each source, and the
// list layout values.

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "korvane/core/components/controls.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/components/text_measure.h"
#include "korvane/core/form/window_context.h"
#include "korvane/core/project/job_commands.h"
#include "korvane/core/sources/file_list.h"
#include "korvane/core/sources/source_adding.h"
#include "korvane/core/sources/source_checks.h"
#include "korvane/core/sources/source_target.h"
#include "korvane/core/sources/sources_job.h"
#include "korvane/core/sources/wrap_typing.h"

namespace korvane {

class SourceLists {
 public:
  SourceLists(WindowContext& context, SourcesJob& job);

  // Sets the handlers of the list actions and the type combo's click.
  void Connect(ActionList& actions);
  // Follows the job: lists emptied with it, brought in line with the folders when it
  // was loaded or is about to be saved, a first selection when a load is over.
  void Follow(JobCommands& jobs);
  // The view's text measure for the list columns; 7 px per character without one.
  void SetTextMeasure(const TextMeasure* measure) { measure_ = measure; }

  // Brings the job folders in line with the lists; false when something was withdrawn.
  // Sources dropped for want of their copies, and those whose names the job cannot
  // hold, are named. Nothing is done for a job that must not be touched, nor while its
  // base folder is missing or was found missing and still holds none of its sources.
  bool Synchronize();
  // Ends a run, naming the folder, when the base folder was missing and none of the
  // job's sources has come into it since: the run would only find an empty job.
  void CheckBaseBeforeRun();

  // --- the active list, following the copy/source tab -----------------------
  bool SourcesActive() const { return sourcesActive_; }
  FileList& ActiveList() { return sourcesActive_ ? sources_ : copies_; }
  FileList& Sources() { return sources_; }
  FileList& Copies() { return copies_; }
  const std::string& CollectionFolderName() const { return folderName_; }
  const std::string& KeySuffix() const { return keySuffix_; }
  // {base}: the output directory with one trailing "/".
  std::string Base() const;
  // The lists' commands, one part for each job.
  SourceAdding& Adding() { return adding_; }
  SourceChecks& Checks() { return checks_; }
  WrapTyping& Types() { return types_; }
  // Set while a directory tree is being added: closing the window must wait.
  bool Busy() const { return adding_.Busy(); }
  // Records the chosen result order: that action checked, the other two not.
  void SortBy(const std::string& actionName);

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
    bool hasType = false;     // the list shows a wrapping-type column
    std::string path;
    int nameX = 0;
    int typeX = 0;
    int pathX = 0;
  };
  LineLayout LayoutOf(const CheckList& list, int index);

 private:
  friend class SourceAdding;
  friend class SourceChecks;
  friend class WrapTyping;
  using Target = ListTarget;

  Target Current();
  Target TargetOf(FileList& list);
  void Validate(const Target& target, bool mustHaveChecked);
  void FollowCopySourcePage();
  // The interface wrapper is offered (its tool frame shows).
  bool InterfaceMode() const;
  void ShowNamesPage();
  void ShowCopySourcePage(const Page& page);
  int TypeColumnWidth() const;
  int WidthOf(std::string_view text) const;
  void Modified();

  WindowContext& context_;
  SourcesJob& job_;
  const TextMeasure* measure_ = nullptr;
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
  int sourceNameWidth_ = 0;
  int copyNameWidth_ = 0;
  // The base folder that was missing with sources listed, until the job is cleared.
  std::string missingBase_;
  SourceAdding adding_{*this};
  SourceChecks checks_{*this};
  WrapTyping types_{*this};
  ConnectionList connections_;
};

}  // namespace korvane
