// Adding files to the job's lists: by dialog, by dropping, whole trees.
#include <chrono>
#include <filesystem>
#include <memory>
#include <utility>

#include "korvane/core/common/find_files.h"
#include "korvane/core/common/pacer.h"
#include "korvane/core/common/scope_exit.h"
#include "korvane/core/common/text.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/project/job_folder.h"
#include "korvane/core/sources/collection_files.h"
#include "korvane/core/sources/source_adding.h"
#include "korvane/core/sources/source_lists.h"
#include "platform/system_paths.h"

namespace korvane {

namespace n = names;

namespace {

std::string ReplaceChar(std::string text, char from, char to) {
  for (char& c : text) {
    if (c == from) c = to;
  }
  return text;
}

}  // namespace

SourceAdding::SourceAdding(SourceLists& lists)
    : lists_(lists), context_(lists.context_), job_(lists.job_), marks_(lists.marks_) {}

void SourceAdding::CreateCollection(const ListTarget& target) {
  if (const Outcome real = CheckRealFolder(target.folder); !real) {
    context_.status.ShowErrorAndAbort(real.Why());
  }
  std::error_code ec;
  std::filesystem::create_directories(target.folder, ec);
}

std::string SourceAdding::FilterOf(const ListTarget& target) {
  return job_.FilterFor(job_.LangCode() + target.keySuffix, job_.SubVersion());
}

bool SourceAdding::AddOneFile(const ListTarget& target, const std::string& path, bool first,
                              const std::unordered_set<std::string>* accepted) {
  if (first) context_.settings.WriteSetting("LastInputFileDir" + target.keySuffix, path);
  const std::string name = FileNameOf(path);
  if (const Outcome held = CheckJobCanHold(name, path); !held) {
    // Refused here, named, and the add goes on: on reload such an entry would split or
    // end its list, and synchronising would then delete the files behind it.
    context_.status.AddError("The file " + path + " is not added: " + held.Why(), true);
    return false;
  }
  const std::string ext = ToLower(ExtensionOf(name));
  if (ext.empty() || (accepted != nullptr && accepted->count(ext) == 0)) return false;
  if (target.list->Contains(name)) return false;
  CopyIntoCollection(path, target.folder + "/" + name, context_.status);
  CheckListItem item{name + "=" + path, false, true};
  if (target.sources) {
    item.enabled = false;
    if (lists_.InterfaceMode()) {
      item.enabled = true;
      marks_.Keyed().SetValue(name + ".WrpT", "Intr");
    }
  } else {
    item.checked = true;
  }
  target.list->Add(std::move(item));
  return true;
}

void SourceAdding::FinishAdding(const ListTarget& target) {
  lists_.Validate(target, false);
  lists_.SelectFirstEntry(target.list->List());
  lists_.Modified();
}

void SourceAdding::AddFiles() {
  lists_.ShowNamesPage();
  const ListTarget target = lists_.Current();
  CreateCollection(target);
  FileDialogRequest request;
  request.title = "Add files to process to the project";
  request.filter = FilterOf(target);
  request.multiSelect = true;
  const std::string last = context_.settings.ReadSetting("LastInputFileDir" + target.keySuffix,
                                                         platform::PersonalFolder() + "/dummy.dum");
  const size_t slash = last.rfind('/');
  request.initialDir = slash == std::string::npos ? std::string() : last.substr(0, slash + 1);
  const std::vector<std::string> files = context_.person.OpenFiles(request);
  if (!files.empty()) {
    const auto accepted = AcceptedExtensions(request.filter);
    bool added = false;
    target.list->SetSorting(false);
    // An abort part way keeps what was copied, sorted, counted and saved.
    ScopeExit restore([&] {
      target.list->SetSorting(true);
      lists_.UpdatePanelCaption(target.list->List());
      if (added) lists_.Modified();
    });
    for (size_t i = 0; i < files.size(); ++i) {
      added |= AddOneFile(target, files[i], i == 0, &accepted);
    }
  }
  FinishAdding(target);
}

void SourceAdding::AddFilesToSources() {
  lists_.ShowCopySourcePage(context_.view.sourcesPage);
  AddFiles();
}

void SourceAdding::AddFilesToCopies() {
  lists_.ShowCopySourcePage(context_.view.copiesPage);
  AddFiles();
}

void SourceAdding::AddDirectories() {
  FolderDialogRequest request;
  request.caption = "Select a folder containing files to add to the project";
  request.allowCreate = false;
  const auto folder = context_.person.ChooseFolder(request);
  if (folder) AddDirectoryTree(*folder, false);
}

void SourceAdding::AddDirectoryToSources() {
  lists_.ShowCopySourcePage(context_.view.sourcesPage);
  AddDirectories();
}

void SourceAdding::AddDirectoryToCopies() {
  lists_.ShowCopySourcePage(context_.view.copiesPage);
  AddDirectories();
}

void SourceAdding::AddDirectoryTree(const std::string& directory, bool quiet, int depth) {
  auto run = std::make_unique<AddRun>(lists_.Current());
  CreateCollection(run->target);
  SearchFolder(*run, directory, quiet, depth);
  BeginAdding(std::move(run));
}

// The folder's files that the list's filter takes, depth levels deep; more than the
// big-directory limit are added only when the person agrees, unless quiet.
void SourceAdding::SearchFolder(AddRun& run, const std::string& directory, bool quiet, int depth) {
  auto& group = context_.view.progress;
  auto& progress = context_.view.sourcesBar;
  progress.SetRange(0, 5);
  progress.SetPosition(1);
  group.SetVisible(true);
  const std::string filter = ReplaceChar(FilterOf(run.target) + ";", '|', ';');
  std::vector<std::string> files;
  FindFiles(directory, "", "", depth, files, filter);
  progress.StepIt();

  long long limit = job_.BigDirectoryLimit();
  if (limit <= 0) limit = 50;
  if (!quiet && static_cast<long long>(files.size()) > limit) {
    const std::string question = "You are going to add " + std::to_string(files.size()) +
                                 " source files\r\nDo you really want to proceed?";
    if (context_.person.Ask(MessageKind::Warning, question, {Button::Ok, Button::Cancel}) !=
        Button::Ok) {
      group.SetVisible(false);
      context_.status.ShowErrorAndAbort("Cancelled due to too many files in directory");
    }
  }
  for (size_t i = 0; i < files.size(); ++i) run.files.push_back({files[i], i == 0, false});
  run.files.push_back({"", false, false});
}

void SourceAdding::BeginAdding(std::unique_ptr<AddRun> run) {
  auto& progress = context_.view.sourcesBar;
  run->start = progress.Position();
  progress.SetRange(0, run->start + static_cast<int>(run->files.size()));
  run->target.list->SetSorting(false);
  run_ = std::move(run);
  loop_.Run([this](bool paced) { return AddSome(paced); },
            [this](bool completed) { EndAdding(completed); });
}

// Adds the waiting files; paced, it returns false when the window is due a turn before
// the last one.
bool SourceAdding::AddSome(bool paced) {
  AddRun& run = *run_;
  while (run.next < run.files.size()) {
    const Pending& file = run.files[run.next++];
    if (file.path.empty()) {
      // The folder's files are in: sorted, checked and the first one shown, before the
      // next folder or the loose files follow.
      run.target.list->SetSorting(true);
      FinishAdding(run.target);
      if (std::exchange(run.folderAdded, false)) lists_.Modified();
      run.target.list->SetSorting(false);
      continue;
    }
    (file.filtered ? run.looseAdded : run.folderAdded) |=
        AddOneFile(run.target, file.path, file.first, file.filtered ? &run.accepted : nullptr);
    if (run.next < run.files.size() && run.pacer.Due()) {
      context_.view.sourcesBar.SetPosition(run.start + static_cast<int>(run.next));
      if (paced) return false;
    }
  }
  return true;
}

// What was added is sorted, counted and saved, also after an abort part way; a complete
// add has the list checked too.
void SourceAdding::EndAdding(bool completed) {
  const std::unique_ptr<AddRun> run = std::move(run_);
  auto& progress = context_.view.sourcesBar;
  progress.SetPosition(progress.Max());
  run->target.list->SetSorting(true);
  context_.view.progress.SetVisible(false);
  lists_.UpdatePanelCaption(run->target.list->List());
  if (completed && run->looseAdded) FinishAdding(run->target);
  if (run->folderAdded) lists_.Modified();  // an abort part way through a folder
  if (run->looseAdded) lists_.Modified();
}

void SourceAdding::DropFiles(const std::string& target, const std::vector<std::string>& paths,
                             int depth) {
  if (target == n::kButtonAddFilesToSrc || target == n::kButtonAddDirsToSrc) {
    lists_.ShowCopySourcePage(context_.view.sourcesPage);
  } else if (target == n::kButtonAddFilesToCpy || target == n::kButtonAddDirsToCpy) {
    lists_.ShowCopySourcePage(context_.view.copiesPage);
  }
  auto run = std::make_unique<AddRun>(lists_.Current());
  CreateCollection(run->target);
  run->accepted = AcceptedExtensions(FilterOf(run->target));
  for (size_t i = 0; i < paths.size(); ++i) {
    std::error_code ec;
    if (std::filesystem::is_directory(paths[i], ec)) {
      SearchFolder(*run, paths[i], true, depth);
    } else {
      run->files.push_back({paths[i], i == 0, true});
    }
  }
  BeginAdding(std::move(run));
}

}  // namespace korvane
