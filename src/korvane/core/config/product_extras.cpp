// How the active product's switches, caption overrides and word types shape the window.

#include <algorithm>

#include "korvane/core/common/comma_text.h"
#include "korvane/core/common/text.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/config/product_catalogue.h"
#include "korvane/core/form/component_names.h"

namespace korvane {

namespace n = names;

namespace {

constexpr const char* kDefaultObjectTypes = "INPT,OUTP,MASK,REPO,CASE,SKIP,LINK,FUNC,PROC";

void SetVisible(FormModel& form, const char* name, bool visible) {
  if (Component* c = form.Find(name)) c->SetVisible(visible);
}

bool IsVisible(const FormModel& form, const char* name) {
  const Component* c = form.Find(name);
  return c != nullptr && c->Visible();
}

void SetActionVisible(ActionList& actions, const char* name, bool visible) {
  if (Action* a = actions.Find(name)) a->SetVisible(visible);
}

// The text between the first "(" and the last ")"; empty without "(".
std::string InsideParentheses(const std::string& value) {
  const size_t open = value.find('(');
  if (open == std::string::npos) return {};
  const size_t close = value.rfind(')');
  if (close == std::string::npos || close <= open) return value.substr(open + 1);
  return value.substr(open + 1, close - open - 1);
}

void RefillCombo(FormModel& form, const char* name, const std::vector<std::string>& items) {
  auto* box = dynamic_cast<ComboBox*>(form.Find(name));
  if (box == nullptr) return;
  IncCombo& combo = box->Combo();
  combo.SetClearBeforeFill(true);
  for (const std::string& item : items) combo.AddWithKey(item, item);
  combo.SetItemIndex(items.empty() ? -1 : 0);
  box->Touch();
}

}  // namespace

void ProductCatalogue::ApplyProductExtras() {
  const KeyedLines extras = config_.Extras(langCode_);
  dirDepth_ = ZeroPrefixedInt(extras.Value("DirDepth"));
  procpgm_ = extras.Value("Procpgm");
  multi_ = StrToBoolDefault(extras.Value("Multi"), false);

  // A bad strict switch throws here and leaves the rest of the window as it was.
  const bool scan = StrToBoolStrict(extras.Value("Scan"));
  SetVisible(window_.form, n::kPageWordScan, scan);
  for (Action* action : window_.actions.InCategory(n::kCategoryWordList)) {
    action->SetVisible(scan);
    action->SetEnabled(scan);
  }
  SetVisible(window_.form, n::kFrameFunctab, scan);

  ApplyFrameVisibility(extras);
  RefillWrapTypes();
  ApplyActionVisibility();

  for (const char* list : {n::kListSources, n::kListCopies}) {
    if (auto* checkList = dynamic_cast<CheckList*>(window_.form.Find(list))) {
      checkList->SetSorted(true);
    }
  }

  UndoOverrides();
  ApplyCaptionOverrides();
  FillObjectTypes();
  extrasApplied.Emit();
}

void ProductCatalogue::ApplyFrameVisibility(const KeyedLines& extras) {
  FormModel& form = window_.form;
  SetVisible(form, n::kFrameCopylib, StrToBoolDefault(extras.Value("Frames"), true));
  const std::pair<const char*, const char*> wrappers[] = {
      {"OnlineWrap", n::kFrameDalmer}, {"BatchWrap", n::kFrameArdent},
      {"SubWrap", n::kFrameBelmont},   {"ProcedureWrap", n::kFrameCorvid},
      {"Link", n::kFrameLinker},       {"InterfaceWrap", n::kFrameEskar},
  };
  for (const auto& [key, frame] : wrappers) {
    SetVisible(form, frame, StrToBoolDefault(extras.Value(key), false));
  }
  SetVisible(form, n::kPageObjects, StrToBoolStrict(extras.Value("ObjectsEdit")));
}

void ProductCatalogue::RefillWrapTypes() {
  auto* box = dynamic_cast<ComboBox*>(window_.form.Find(n::kComboWrapType));
  if (box == nullptr) return;
  IncCombo& combo = box->Combo();
  combo.SetClearBeforeFill(true);
  const struct {
    const char* frame;
    const char* text;
    const char* key;
  } types[] = {
      {n::kFrameDalmer, "Transaction wrapping", "Onl"},
      {n::kFrameArdent, "File wrapping", "File"},
      {n::kFrameBelmont, "Subprogram wrapping", "Module"},
      {n::kFrameCorvid, "Procedure  wrapping", "Proc"},
      {n::kFrameEskar, "Interface wrapping", "Intr"},
  };
  for (const auto& type : types) {
    if (IsVisible(window_.form, type.frame)) combo.AddWithKey(type.text, type.key);
  }
  combo.SetItemIndex(combo.Items().empty() ? -1 : 0);
  box->Touch();
}

void ProductCatalogue::ApplyActionVisibility() {
  FormModel& form = window_.form;
  ActionList& actions = window_.actions;
  const bool online = IsVisible(form, n::kFrameDalmer);
  SetActionVisible(actions, n::kActWrapTypeOnl, online);
  SetActionVisible(actions, n::kActWrapTypeFile, IsVisible(form, n::kFrameArdent));
  SetActionVisible(actions, n::kActWrapTypeModule, IsVisible(form, n::kFrameBelmont));
  SetActionVisible(actions, n::kActWrapTypeProc, IsVisible(form, n::kFrameCorvid));

  // Interface wrapping takes whole interfaces: no per-source types and no copies.
  const bool perSource = !IsVisible(form, n::kFrameEskar);
  SetActionVisible(actions, n::kActApplyToAll, perSource);
  SetActionVisible(actions, n::kActApplyToChecked, perSource);
  SetVisible(form, n::kGroupWrapType, perSource);
  SetVisible(form, n::kPageCopies, perSource);
  const bool copies = IsVisible(form, n::kPageCopies);
  SetActionVisible(actions, n::kActAddFilesToCopies, copies);
  SetActionVisible(actions, n::kActAddDirectoryToCopies, copies);

  SetVisible(form, n::kGroupMapType, online);
  RefillCombo(form, n::kComboMapType, {"CICS", "IMS", "COBSCRN"});
}

void ProductCatalogue::UndoOverrides() {
  if (overrides_.empty()) return;
  for (const auto& action : window_.actions.All()) {
    const std::string previous = overrides_.Value(action->Name());
    if (previous == "*Y") {
      action->SetVisible(true);
    } else if (previous == "*N") {
      action->SetVisible(false);
    } else if (!previous.empty()) {
      action->SetCaption(previous);
    }
  }
  overrides_.Clear();
}

void ProductCatalogue::ApplyCaptionOverrides() {
  const std::string list = Trim(InsideParentheses(config_.Value(langCode_ + ".Captions")));
  if (list.empty()) return;
  std::vector<std::string> lines;
  std::string line;
  for (char c : list) {
    if (c == ',') {
      lines.push_back(Trim(line));
      line.clear();
    } else if (c != '"') {
      line += c;
    }
  }
  lines.push_back(Trim(line));
  const KeyedLines captions(std::move(lines));

  for (const auto& action : window_.actions.All()) {
    const std::string value = captions.Value(action->Name());
    if (value.empty()) continue;
    if (value == "*") {
      overrides_.Append(action->Name() + "=" + (action->Visible() ? "*Y" : "*N"));
      action->SetVisible(false);
    } else {
      overrides_.Append(action->Name() + "=" + action->Caption());
      action->SetCaption(value);
    }
  }
}

void ProductCatalogue::FillObjectTypes() {
  std::string types = InsideParentheses(config_.Value("WordScan.ObjectTypes"));
  if (Trim(types).empty()) types = kDefaultObjectTypes;
  const std::vector<std::string> items = FromCommaText(types);
  for (const char* name : {n::kComboCreateWrdList, n::kComboEditCWrd}) {
    auto* box = dynamic_cast<ComboBox*>(window_.form.Find(name));
    if (box == nullptr) continue;
    IncCombo& combo = box->Combo();
    combo.SetClearBeforeFill(true);
    for (const std::string& item : items) combo.AddItem(item);
    combo.SetItemIndex(items.empty() ? -1 : 0);
    box->Touch();
  }
}

}  // namespace korvane
