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

void RefillCombo(ComboBox& box, const std::vector<std::string>& items) {
  IncCombo& combo = box.Combo();
  combo.SetClearBeforeFill(true);
  for (const std::string& item : items) combo.AddWithKey(item, item);
  combo.SetItemIndex(items.empty() ? -1 : 0);
  box.Touch();
}

}  // namespace

void ProductCatalogue::ApplyProductExtras() {
  const KeyedLines extras = config_.Extras(langCode_);
  dirDepth_ = ZeroPrefixedInt(extras.Value("DirDepth"));
  procpgm_ = extras.Value("Procpgm");
  multi_ = StrToBoolDefault(extras.Value("Multi"), false);

  // A bad strict switch throws here and leaves the rest of the window as it was.
  const bool scan = StrToBoolStrict(extras.Value("Scan"));
  window_.view.wordScanPage.SetVisible(scan);
  for (Action* action : window_.actions.InCategory(n::kCategoryWordList)) {
    action->SetVisible(scan);
    action->SetEnabled(scan);
  }
  window_.job.functionTable.SetVisible(scan);

  ApplyFrameVisibility(extras);
  RefillWrapTypes();
  ApplyActionVisibility();

  window_.job.sources.SetSorted(true);
  window_.job.copies.SetSorted(true);

  UndoOverrides();
  ApplyCaptionOverrides();
  FillObjectTypes();
  extrasApplied.Emit();
}

void ProductCatalogue::ApplyFrameVisibility(const KeyedLines& extras) {
  JobModel& job = window_.job;
  job.copyLibrary.SetVisible(StrToBoolDefault(extras.Value("Frames"), true));
  const std::pair<const char*, ToolPathFrame*> wrappers[] = {
      {"OnlineWrap", &job.dalmer},    {"BatchWrap", &job.ardent}, {"SubWrap", &job.belmont},
      {"ProcedureWrap", &job.corvid}, {"Link", &job.linker},      {"InterfaceWrap", &job.eskar},
  };
  for (const auto& [key, frame] : wrappers) {
    frame->SetVisible(StrToBoolDefault(extras.Value(key), false));
  }
  window_.view.objectsPage.SetVisible(StrToBoolStrict(extras.Value("ObjectsEdit")));
}

void ProductCatalogue::RefillWrapTypes() {
  JobModel& job = window_.job;
  IncCombo& combo = job.wrapType.Combo();
  combo.SetClearBeforeFill(true);
  const struct {
    const ToolPathFrame& frame;
    const char* text;
    const char* key;
  } types[] = {
      {job.dalmer, "Transaction wrapping", "Onl"},    {job.ardent, "File wrapping", "File"},
      {job.belmont, "Subprogram wrapping", "Module"}, {job.corvid, "Procedure  wrapping", "Proc"},
      {job.eskar, "Interface wrapping", "Intr"},
  };
  for (const auto& type : types) {
    if (type.frame.Visible()) combo.AddWithKey(type.text, type.key);
  }
  combo.SetItemIndex(combo.Items().empty() ? -1 : 0);
  job.wrapType.Touch();
}

void ProductCatalogue::ApplyActionVisibility() {
  const JobModel& job = window_.job;
  JobWindow& view = window_.view;
  ActionList& actions = window_.actions;
  const bool online = job.dalmer.Visible();
  SetActionVisible(actions, n::kActWrapTypeOnl, online);
  SetActionVisible(actions, n::kActWrapTypeFile, job.ardent.Visible());
  SetActionVisible(actions, n::kActWrapTypeModule, job.belmont.Visible());
  SetActionVisible(actions, n::kActWrapTypeProc, job.corvid.Visible());

  // Interface wrapping takes whole interfaces: no per-source types and no copies.
  const bool perSource = !job.eskar.Visible();
  SetActionVisible(actions, n::kActApplyToAll, perSource);
  SetActionVisible(actions, n::kActApplyToChecked, perSource);
  view.wrapTypeGroup.SetVisible(perSource);
  view.copiesPage.SetVisible(perSource);
  const bool copies = perSource;
  SetActionVisible(actions, n::kActAddFilesToCopies, copies);
  SetActionVisible(actions, n::kActAddDirectoryToCopies, copies);

  view.mapTypeGroup.SetVisible(online);
  RefillCombo(job.mapType, {"CICS", "IMS", "COBSCRN"});
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
  for (ComboBox* box : {&window_.view.wordType, &window_.view.controlWordType}) {
    IncCombo& combo = box->Combo();
    combo.SetClearBeforeFill(true);
    for (const std::string& item : items) combo.AddItem(item);
    combo.SetItemIndex(items.empty() ? -1 : 0);
    box->Touch();
  }
}

}  // namespace korvane
