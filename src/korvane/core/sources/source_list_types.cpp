// Giving sources their wrapping type and opening the label marker on one.
#include "korvane/core/form/component_names.h"
#include "korvane/core/sources/source_lists.h"
#include "korvane/core/sources/wrap_types.h"

namespace korvane {

namespace n = names;

namespace {

// Transaction and subprogram wrapping need no marked labels.
bool UsableWithoutLabels(const std::string& code) {
  return code == "Onl" || code == "Module";
}

}  // namespace

void SourceLists::EnableMarking(const std::string& code) {
  context_.actions.Get(n::kActMarkToBeWrapped).SetEnabled(IsLabelBound(code));
}

void SourceLists::HighlightSource(int index) {
  if (!sourcesActive_) return;
  if (index < 0 || index >= static_cast<int>(sourceList_.Items().size())) return;
  sourceList_.SetItemIndex(index);
  const std::string name = FileList::NameOf(sourceList_.Items()[index].text);
  const std::string code = marks_.Keyed().Value(name + ".WrpT");
  if (!code.empty()) {
    wrapCombo_.Combo().SetSecondInd(code);
    wrapCombo_.Touch();
  }
  SetEntryWrapType(index, wrapCombo_.Combo().SecondInd());
}

void SourceLists::ComboClick() {
  if (!sourcesActive_ || sourceList_.ItemIndex() < 0) return;
  SetEntryWrapType(sourceList_.ItemIndex(), wrapCombo_.Combo().SecondInd());
}

void SourceLists::WrapType(const std::string& code) {
  wrapCombo_.Combo().SetSecondInd(code);
  wrapCombo_.Touch();
  ComboClick();
}

void SourceLists::SetEntryWrapType(int index, const std::string& code) {
  auto& items = sourceList_.MutableItems();
  if (!sourcesActive_ || index < 0 || index >= static_cast<int>(items.size())) return;
  auto& item = items[index];
  const std::string name = FileList::NameOf(item.text);
  marks_.Keyed().SetValue(name + ".WrpT", code);
  if (UsableWithoutLabels(code) || code == "Intr") {
    item.enabled = true;
  } else {
    item.enabled = marks_.Keyed().Value(name + ".Lbl") == "Y";
    if (!item.enabled) item.checked = false;
  }
  EnableMarking(code);
  sourceList_.Touch();
  Modified();
}

void SourceLists::ApplyType(bool checkedOnly) {
  if (!sourcesActive_) {
    copySource_.SetActivePage(n::kPageSources);
    FollowCopySourcePage();
    return;
  }
  const std::string code = wrapCombo_.Combo().SecondInd();
  auto& marks = marks_.Keyed();
  for (auto& item : sourceList_.MutableItems()) {
    if (checkedOnly && !item.checked) continue;
    const std::string name = FileList::NameOf(item.text);
    marks.SetValue(name + ".WrpT", code);
    // Unlike a single entry, a bulk "Intr" still wants marked labels.
    if (UsableWithoutLabels(code)) {
      item.enabled = true;
    } else {
      item.enabled = marks.Value(name + ".Lbl") == "Y";
      if (!item.enabled) item.checked = false;
    }
  }
  EnableMarking(code);
  sourceList_.Touch();
  Modified();
}

void SourceLists::MarkToBeWrapped() {
  if (!context_.actions.Get(n::kActMarkToBeWrapped).Enabled() || !sourcesActive_) return;
  const int index = sourceList_.ItemIndex();
  if (index < 0 || index >= static_cast<int>(sourceList_.Items().size())) {
    context_.status.ShowErrorAndAbort("No selection, click with the left mouse button on a line!");
    return;
  }
  const std::string name = FileList::NameOf(sourceList_.Items()[index].text);
  EnableMarking(marks_.Keyed().Value(name + ".WrpT"));
  context_.status.ShowErrorAndAbort(
      "The label marker is not available in this version of the shell");
}

}  // namespace korvane
