// Giving sources their wrapping type and opening the label marker on one.
#include "korvane/core/sources/wrap_typing.h"
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

WrapTyping::WrapTyping(SourceLists& lists)
    : lists_(lists), context_(lists.context_), marks_(lists.marks_) {}

void WrapTyping::EnableMarking(const std::string& code) {
  context_.actions.Get(n::kActMarkToBeWrapped).SetEnabled(IsLabelBound(code));
}

void WrapTyping::HighlightSource(int index) {
  if (!lists_.sourcesActive_) return;
  if (index < 0 || index >= static_cast<int>(lists_.sourceList_.Items().size())) return;
  lists_.sourceList_.SetItemIndex(index);
  const std::string name = FileList::NameOf(lists_.sourceList_.Items()[index].text);
  const std::string code = marks_.Keyed().Value(name + ".WrpT");
  if (!code.empty()) {
    lists_.wrapCombo_.Combo().SetSecondInd(code);
    lists_.wrapCombo_.Touch();
  }
  const std::string shown = lists_.wrapCombo_.Combo().SecondInd();
  // A product that offers no wrapping type has none to give: the entry keeps its own.
  if (shown.empty()) return;
  SetEntryWrapType(index, shown);
}

void WrapTyping::ComboClick() {
  if (!lists_.sourcesActive_ || lists_.sourceList_.ItemIndex() < 0) return;
  SetEntryWrapType(lists_.sourceList_.ItemIndex(), lists_.wrapCombo_.Combo().SecondInd());
}

void WrapTyping::WrapType(const std::string& code) {
  lists_.wrapCombo_.Combo().SetSecondInd(code);
  lists_.wrapCombo_.Touch();
  ComboClick();
}

void WrapTyping::SetEntryWrapType(int index, const std::string& code) {
  auto& items = lists_.sourceList_.MutableItems();
  if (!lists_.sourcesActive_ || index < 0 || index >= static_cast<int>(items.size())) return;
  auto& item = items[index];
  const std::string name = FileList::NameOf(item.text);
  const bool wasEnabled = item.enabled;
  const bool wasChecked = item.checked;
  const bool newType = marks_.Keyed().Value(name + ".WrpT") != code;
  marks_.Keyed().SetValue(name + ".WrpT", code);
  if (UsableWithoutLabels(code) || code == "Intr") {
    item.enabled = true;
  } else {
    item.enabled = marks_.Keyed().Value(name + ".Lbl") == "Y";
    if (!item.enabled) item.checked = false;
  }
  EnableMarking(code);
  lists_.sourceList_.Touch();
  // Highlighting an entry runs through here too, and opening a job highlights the first
  // one: only a type or state that really changed is a change of the job.
  if (newType || item.enabled != wasEnabled || item.checked != wasChecked) {
    lists_.Modified();
  }
}

void WrapTyping::ApplyType(bool checkedOnly) {
  if (!lists_.sourcesActive_) {
    lists_.copySource_.SetActivePage(lists_.context_.view.sourcesPage);
    lists_.FollowCopySourcePage();
    return;
  }
  const std::string code = lists_.wrapCombo_.Combo().SecondInd();
  auto& marks = marks_.Keyed();
  for (auto& item : lists_.sourceList_.MutableItems()) {
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
  lists_.sourceList_.Touch();
  lists_.Modified();
}

void WrapTyping::MarkToBeWrapped() {
  if (!context_.actions.Get(n::kActMarkToBeWrapped).Enabled() || !lists_.sourcesActive_) return;
  const int index = lists_.sourceList_.ItemIndex();
  if (index < 0 || index >= static_cast<int>(lists_.sourceList_.Items().size())) {
    context_.status.ShowErrorAndAbort("No selection, click with the left mouse button on a line!");
  }
  const std::string name = FileList::NameOf(lists_.sourceList_.Items()[index].text);
  EnableMarking(marks_.Keyed().Value(name + ".WrpT"));
  if (markerRequested.SlotCount() == 0) context_.status.ShowErrorAndAbort(kNoMarker);
  markerRequested.Emit(lists_.Base() + "SourceCollection/" + name);
}

void WrapTyping::RefreshSelected() {
  if (!lists_.sourcesActive_) return;
  const int index = lists_.sourceList_.ItemIndex();
  auto& items = lists_.sourceList_.MutableItems();
  if (index < 0 || index >= static_cast<int>(items.size())) return;
  auto& item = items[index];
  const std::string name = FileList::NameOf(item.text);
  const std::string code = marks_.Keyed().Value(name + ".WrpT");
  if (!UsableWithoutLabels(code) && code != "Intr" && marks_.Keyed().Value(name + ".Lbl") != "Y") {
    item.enabled = false;
    item.checked = false;
  }
  EnableMarking(code);
  lists_.sourceList_.Touch();
}

}  // namespace korvane
