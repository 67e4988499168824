#include "korvane/core/sources/source_lists.h"

#include <algorithm>
#include <filesystem>

#include "korvane/core/common/scope_exit.h"
#include "korvane/core/common/text.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/sources/collection_files.h"
#include "korvane/core/sources/synchronize.h"
#include "korvane/core/sources/wrap_types.h"

namespace korvane {

namespace n = names;

namespace {

constexpr const char* kSortActions[] = {"ActSortBySource", "ActSortByLevel", "ActSortByRuleName"};

// A job of thousands of sources must still fit its message on a line.
std::string NameList(const std::vector<std::string>& names) {
  constexpr size_t kShown = 10;
  std::string text;
  for (size_t i = 0; i < names.size() && i < kShown; ++i) {
    if (i > 0) text += ", ";
    text += names[i];
  }
  if (names.size() > kShown) text += " and " + std::to_string(names.size() - kShown) + " more";
  return text;
}

std::string DroppedText(const std::vector<std::string>& names, const std::string& folder) {
  const bool one = names.size() == 1;
  return std::string(one ? "The source " : "The sources ") + NameList(names) +
         (one ? " is" : " are") + " dropped from the job: " + (one ? "its copy" : "their copies") +
         " in " + folder + (one ? " is" : " are") + " gone";
}

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_directory(path, ec);
}

}  // namespace

SourceLists::SourceLists(WindowContext& context, SourcesJob& job)
    : context_(context),
      job_(job),
      sourceList_(context.job.sources),
      copyList_(context.job.copies),
      sources_(sourceList_),
      copies_(copyList_),
      marks_(context.job.marks),
      wrapCombo_(context.job.wrapType),
      copySource_(context.view.copySourcePages) {
  connections_.Add(copySource_.pageChanged.Connect([this] { FollowCopySourcePage(); }));
  FollowCopySourcePage();
  // Every change of a list's length shows in its captions, whoever made it.
  for (CheckList* list : {&sourceList_, &copyList_}) {
    auto count = [this, list] { UpdatePanelCaption(*list); };
    connections_.Add(list->rowsInserted.Connect([count](size_t, size_t) { count(); }));
    connections_.Add(list->rowsRemoved.Connect([count](size_t, size_t) { count(); }));
    connections_.Add(list->reset.Connect(count));
  }
}

void SourceLists::Connect(ActionList& actions) {
  auto bind = [&actions](const char* name, std::function<void()> handler) {
    actions.Get(name).SetHandler(std::move(handler));
  };
  bind("ActAddFiles", [this] { adding_.AddFiles(); });
  bind("ActAddFilesToSources", [this] { adding_.AddFilesToSources(); });
  bind(n::kActAddFilesToCopies, [this] { adding_.AddFilesToCopies(); });
  bind("ActAddDirectories", [this] { adding_.AddDirectories(); });
  bind("ActAddDirectoryToSources", [this] { adding_.AddDirectoryToSources(); });
  bind(n::kActAddDirectoryToCopies, [this] { adding_.AddDirectoryToCopies(); });
  bind("ActToggleSelect", [this] { checks_.ToggleSelect(); });
  bind("ActSelectAll", [this] { checks_.SelectAll(); });
  bind("ActUnselectAll", [this] { checks_.UnselectAll(); });
  bind("ActRemoveFiles", [this] { checks_.RemoveFiles(); });
  bind("ActRemoveDuplicates", [this] { checks_.RemoveDuplicates(); });
  for (const auto& type : kWrapTypes) {
    if (type.action.empty()) continue;
    bind(std::string(type.action).c_str(),
         [this, code = std::string(type.code)] { types_.WrapType(code); });
  }
  bind(n::kActApplyToAll, [this] { types_.ApplyToAll(); });
  bind(n::kActApplyToChecked, [this] { types_.ApplyToChecked(); });
  bind(n::kActMarkToBeWrapped, [this] { types_.MarkToBeWrapped(); });
  for (const char* name : kSortActions) bind(name, [this, name] { SortBy(name); });
  connections_.Add(wrapCombo_.Combo().clicked.Connect([this] { types_.ComboClick(); }));
  bind(n::kActSynchronizeDirectories, [this] {
    job_.WritableBase();  // says why and ends here when the job must not be touched
    Synchronize();
  });
}

void SourceLists::Follow(JobCommands& jobs) {
  connections_.Add(jobs.cleared.Connect([this] {
    missingBase_.clear();
    sourceList_.Clear();
    copyList_.Clear();
    marks_.Clear();
  }));
  connections_.Add(jobs.beforeSave.Connect([this] { Synchronize(); }));
  connections_.Add(jobs.loadClosing.Connect([this] { Synchronize(); }));
  connections_.Add(jobs.loadFinished.Connect([this] {
    for (CheckList* list : {&sourceList_, &copyList_}) {
      UpdateListColumns(*list);
      UpdatePanelCaption(*list);
    }
    SelectFirstEntry(sourcesActive_ ? sourceList_ : copyList_);
  }));
}

bool SourceLists::Synchronize() {
  if (!job_.Writable()) return true;
  const std::string base = job_.BaseDirectory();
  if (!IsFolder(base)) {
    // Opening the job creates the folder empty; its sources are then gone, and only
    // this says why.
    if (!sourceList_.Items().empty() && missingBase_ != base) {
      missingBase_ = base;
      context_.status.ShowWarning("The job's base folder " + base +
                                  " does not exist: its sources are not there");
    }
    return true;
  }
  // The folder made in its place must not empty the lists as if each source had gone.
  if (base == missingBase_ && !IsFolder(base + "/SourceCollection")) return true;
  std::vector<std::string> refused;
  std::vector<std::string> dropped;
  std::vector<std::string> unholdable;
  bool modified = false;
  bool whole = false;
  {
    // What changed before a failure counts too.
    const ScopeExit mark([this, &modified] {
      if (modified) Modified();
    });
    whole = SynchronizeJobDirectories({sourceList_, copyList_, marks_,
                                       context_.view.copiesPage.Visible(), base, &modified,
                                       &refused, &dropped, &unholdable});
  }
  for (const std::string& why : refused) context_.status.AddError(why, true);
  if (!dropped.empty())
    context_.status.ShowWarning(DroppedText(dropped, base + "/SourceCollection"));
  for (const std::string& name : unholdable) {
    context_.status.AddError("The source " + name + " cannot be kept in the job: its name holds " +
                                 "\"=\"; rename the file and add it again",
                             true);
  }
  return whole;
}

void SourceLists::CheckBaseBeforeRun() {
  const std::string base = job_.BaseDirectory();
  if (missingBase_.empty() || base != missingBase_ || sourceList_.Items().empty() ||
      IsFolder(base + "/SourceCollection")) {
    return;
  }
  ShowNamesPage();
  context_.status.ShowErrorAndAbort(
      "Output directory error - Directory doesn't exist: the job's base folder " + base +
      " was missing when the job was opened, and none of its sources is in it");
}

// --- context -------------------------------------------------------------------------------

void SourceLists::FollowCopySourcePage() {
  sourcesActive_ = !copySource_.IsActive(context_.view.copiesPage);
  folderName_ = sourcesActive_ ? "SourceCollection" : "CopyCollection";
  keySuffix_ = sourcesActive_ ? "" : ".Copy";
  if (Action* mark = context_.actions.Find(n::kActMarkToBeWrapped))
    mark->SetVisible(sourcesActive_);
}

bool SourceLists::InterfaceMode() const {
  return context_.job.eskar.Visible();
}

std::string SourceLists::Base() const {
  std::string base = job_.WritableBase();
  if (base.empty() || base.back() != '/') base += '/';
  return base;
}

SourceLists::Target SourceLists::TargetOf(FileList& list) {
  const bool sources = &list == &sources_;
  return Target{&list, Base() + (sources ? "SourceCollection" : "CopyCollection"),
                sources ? "" : ".Copy", sources};
}

SourceLists::Target SourceLists::Current() {
  return TargetOf(ActiveList());
}

void SourceLists::ShowNamesPage() {
  context_.view.mainPages.SetActivePage(context_.view.namesPage);
}

void SourceLists::ShowCopySourcePage(const Page& page) {
  ShowNamesPage();
  copySource_.SetActivePage(page);
  FollowCopySourcePage();
}

void SourceLists::Modified() {
  job_.SetModified();
}

// --- refreshing ----------------------------------------------------------------------------

void SourceLists::ValidateFileList(bool mustHaveChecked) {
  Validate(Current(), mustHaveChecked);
}

void SourceLists::Validate(const Target& target, bool mustHaveChecked) {
  CheckList& list = target.list->List();
  UpdateListColumns(list);
  UpdatePanelCaption(list);
  auto& items = list.MutableItems();
  if (items.empty()) return;
  if (items.size() >= 9999) {
    context_.status.ShowErrorAndAbort("The number of file in one job must be less than 9999");
  }
  if (InterfaceMode()) {
    for (auto& item : items) item.enabled = true;
  }
  bool missing = false;
  bool anyChecked = false;
  for (auto& item : items) {
    if (!item.checked) continue;
    std::error_code ec;
    const std::string name = FileList::NameOf(item.text);
    if (IsPlainFileName(name) && std::filesystem::exists(target.folder + "/" + name, ec)) {
      anyChecked = true;
      continue;
    }
    item.checked = false;
    item.enabled = false;
    missing = true;
  }
  list.Touch();
  if (missing) context_.status.ShowErrorAndAbort("Some input files cannot be found!");
  if (!anyChecked) {
    if (mustHaveChecked) {
      context_.status.ShowErrorAndAbort("No files are selected for processing!");
    }
    context_.status.ShowStatus("No files are selected for processing!");
  } else {
    context_.status.ClearMessages();
  }
  Modified();
}

void SourceLists::UpdatePanelCaption(CheckList& list) {
  const std::string count = "(" + std::to_string(list.Items().size()) + ")";
  Panel& panel = &list == &sourceList_ ? context_.view.sourcesPanel : context_.view.copiesPanel;
  panel.SetCaption(BeforeFirst(panel.Caption(), "(") + count);
  // The sources' tab carries the same count.
  if (&list == &sourceList_) {
    auto& page = context_.view.sourcesPage;
    page.SetCaption(BeforeFirst(page.Caption(), "(") + count);
  }
}

int SourceLists::WidthOf(std::string_view text) const {
  return measure_ != nullptr ? measure_->Width(text) : static_cast<int>(text.size()) * 7;
}

int SourceLists::TypeColumnWidth() const {
  return WidthOf("Transaction wrapping");
}

void SourceLists::UpdateListColumns(CheckList& list) {
  int names = 0;
  int paths = 0;
  for (const auto& item : list.Items()) {
    const std::string_view text = item.text;
    const size_t eq = text.find('=');
    names = std::max(names, WidthOf(text.substr(0, eq)));
    if (eq != std::string_view::npos) paths = std::max(paths, WidthOf(text.substr(eq + 1)));
  }
  (&list == &sourceList_ ? sourceNameWidth_ : copyNameWidth_) = names;
  int extent = names + 22 + paths;
  if (&list == &sourceList_) extent += TypeColumnWidth() + 5;
  list.SetScrollWidth(extent);
  list.Touch();
}

SourceLists::LineLayout SourceLists::LayoutOf(const CheckList& list, int index) {
  LineLayout line;
  line.hasType = &list == &sourceList_;
  if (index < 0 || index >= static_cast<int>(list.Items().size())) return line;
  const std::string& text = list.Items()[index].text;
  line.name = FileList::NameOf(text);
  line.path = FileList::PathOf(text);
  line.nameX = 2;
  line.pathX = (&list == &sourceList_ ? sourceNameWidth_ : copyNameWidth_) + 7;
  if (line.hasType) {
    line.typeCaption = std::string(ListCaptionOf(marks_.Keyed().Value(line.name + ".WrpT")));
    line.typeX = line.pathX;
    line.pathX += TypeColumnWidth() + 5;
  }
  return line;
}

void SourceLists::SelectFirstEntry(CheckList& list) {
  const bool showsList = context_.view.mainPages.IsActive(context_.view.namesPage) &&
                         context_.view.tree.Showing(list) &&
                         (&list == &sourceList_) == sourcesActive_;
  if (!showsList || list.Items().empty() || list.ItemIndex() >= 0) return;
  list.SetItemIndex(0);
  if (&list == &sourceList_) types_.HighlightSource(0);
}

void SourceLists::SortBy(const std::string& actionName) {
  for (const char* name : kSortActions) {
    context_.actions.Get(name).SetChecked(actionName == name);
  }
}

}  // namespace korvane
