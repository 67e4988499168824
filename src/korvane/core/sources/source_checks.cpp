// The check actions shared by every check list of the window, and removing
// entries with their collection copies.
#include <algorithm>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/text.h"
#include "korvane/core/sources/collection_files.h"
#include "korvane/core/sources/source_checks.h"
#include "korvane/core/sources/source_lists.h"

namespace korvane {

namespace {

enum ChecksMode { kToggle, kCheckAll, kUncheckAll };

}  // namespace

SourceChecks::SourceChecks(SourceLists& lists) : lists_(lists), context_(lists.context_) {}

CheckList& SourceChecks::CheckListTarget(const std::string& invoker) {
  JobModel& job = context_.job;
  auto listNamed = [&job](const std::string& name) -> CheckList* {
    for (CheckList* list : {&job.sources, &job.copies, &job.controlWords, &job.objects}) {
      if (list->Name() == name) return list;
    }
    return nullptr;
  };
  if (!invoker.empty()) {
    if (CheckList* list = listNamed(invoker)) return *list;
    // A tagged tool frame (the editor's) offers the check commands too, but has no list.
    for (const ToolPathFrame* frame : job.Tools()) {
      if (frame->Name() == invoker && frame->Tag() != 0) {
        context_.status.ShowErrorAndAbort(
            "Click on a checklistbox first to use this function(Tag)!");
      }
    }
  }
  if (CheckList* list = listNamed(context_.view.tree.Focused())) return *list;
  context_.status.ShowErrorAndAbort("Click on a checklistbox first to use this function!");
  throw OperationAbort();  // not reached: the abort above always ends the operation
}

FileList* SourceChecks::FileListOf(const CheckList& list) {
  if (&list == &lists_.sourceList_) return &lists_.sources_;
  if (&list == &lists_.copyList_) return &lists_.copies_;
  return nullptr;
}

void SourceChecks::SetChecks(const std::string& invoker, int mode) {
  CheckList& list = CheckListTarget(invoker);
  for (auto& item : list.MutableItems()) {
    if (!item.enabled) continue;
    item.checked = mode == kToggle ? !item.checked : mode == kCheckAll;
  }
  list.Touch();
  if (FileListOf(list) != nullptr) lists_.ValidateFileList(false);
  lists_.Modified();
}

void SourceChecks::ToggleSelect(const std::string& invoker) {
  SetChecks(invoker, kToggle);
}

void SourceChecks::SelectAll(const std::string& invoker) {
  SetChecks(invoker, kCheckAll);
}

void SourceChecks::UnselectAll(const std::string& invoker) {
  SetChecks(invoker, kUncheckAll);
}

void SourceChecks::RemoveFiles(const std::string& invoker) {
  CheckList& list = CheckListTarget(invoker);
  FileList* files = FileListOf(list);
  if (files == nullptr) {
    auto& items = list.MutableItems();
    items.erase(
        std::remove_if(items.begin(), items.end(), [](const auto& i) { return !i.checked; }),
        items.end());
    if (list.ItemIndex() >= static_cast<int>(items.size())) list.SetItemIndex(-1);
    list.Touch();
    lists_.Modified();
    return;
  }
  const ListTarget target = lists_.TargetOf(*files);
  files->RemoveIf([&](const CheckListItem& item) {
    if (item.checked) return false;
    const std::string name = FileList::NameOf(item.text);
    RemoveCollectionFile(target.folder, name);
    if (target.sources) RemoveCollectionFile(target.folder + "/SelectedEntities", name);
    return true;
  });
  lists_.Modified();
  lists_.UpdatePanelCaption(list);
}

void SourceChecks::RemoveDuplicates(const std::string& invoker) {
  CheckList& list = CheckListTarget(invoker);
  auto& items = list.MutableItems();
  std::stable_sort(items.begin(), items.end(),
                   [](const auto& a, const auto& b) { return FileList::LineLess(a.text, b.text); });
  items.erase(std::unique(items.begin(), items.end(),
                          [](const auto& a, const auto& b) { return a.text == b.text; }),
              items.end());
  if (list.ItemIndex() >= static_cast<int>(items.size())) list.SetItemIndex(-1);
  list.Touch();
  lists_.Modified();
}

}  // namespace korvane
