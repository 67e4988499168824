#pragma once
// The check actions shared by every check list of the window (toggle, all, none), and
// removing entries, checked or duplicated, with their collection copies.

#include <string>

#include "korvane/core/components/lists.h"
#include "korvane/core/form/window_context.h"
#include "korvane/core/sources/file_list.h"

namespace korvane {

class SourceLists;

class SourceChecks {
 public:
  explicit SourceChecks(SourceLists& lists);

  // invoker: the name of the control the command came from (its list, or a control
  // tagged as belonging to none); empty: the focused list.
  void ToggleSelect(const std::string& invoker = "");
  void SelectAll(const std::string& invoker = "");
  void UnselectAll(const std::string& invoker = "");
  void RemoveFiles(const std::string& invoker = "");
  void RemoveDuplicates(const std::string& invoker = "");

 private:
  CheckList& CheckListTarget(const std::string& invoker);
  FileList* FileListOf(const CheckList& list);
  void SetChecks(const std::string& invoker, int mode);

  SourceLists& lists_;
  WindowContext& context_;
};

}  // namespace korvane
