#include "korvane/core/project/job_commands.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/scope_exit.h"
#include "korvane/core/common/text.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/project/base_owner.h"
#include "korvane/core/project/job_file.h"
#include "korvane/core/project/output_directory.h"
#include "korvane/core/project/reset_output.h"
#include "platform/path_rules.h"

namespace korvane {

namespace {

// The base folder a job names is held by another shell or belongs to another job:
// the load ends with that message alone, before anything in the folder is touched.
class BaseFolderRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace

namespace fs = std::filesystem;
namespace n = names;

namespace {

constexpr const char* kJobExtension = ".jwrap";
constexpr const char* kLoadError =
    " Error while loading project definition, it was possibly generated with an older version of "
    "the tool";

}  // namespace

JobCommands::JobCommands(Project& project, ProductCatalogue& catalogue,
                         OutputDirectoryField& outputField, const Installation& installation,
                         JobFileCodec& codec)
    : project_(project),
      catalogue_(catalogue),
      outputField_(outputField),
      installation_(installation),
      codec_(codec) {}

void JobCommands::Connect() {
  ActionList& actions = project_.Context().actions;
  auto handle = [&actions](const char* name, std::function<void()> handler) {
    if (Action* action = actions.Find(name)) action->SetHandler(std::move(handler));
  };
  handle(n::kActNewProject, [this] { NewProject(); });
  handle(n::kActOpenProject, [this] { OpenProject(); });
  handle(n::kActSaveProject, [this] { SaveProject(false); });
  handle(n::kActSaveProjectAs, [this] { SaveProject(true); });
  handle(n::kActRestartProject, [this] { ResetOutput(); });
}

void JobCommands::ResetOutput() {
  project_.WritableBase();  // says why and ends here when the job must not be touched
  // The tools' input work folder belongs to the preparation of a run; none is set yet.
  korvane::ResetOutput(project_, static_cast<int>(catalogue_.DirDepth()));
}

void JobCommands::SaveJob() {
  project_.Context().actions.Get(n::kActSaveProject).SetEnabled(true);
  SaveProject(false);
}

void JobCommands::ClearModified() {
  project_.SetModified(false);
}

void JobCommands::ForgetChanges() {
  project_.State().modified = false;
}

bool JobCommands::Loading() const {
  return project_.State().loading;
}

void JobCommands::SetProjectDirectory(const std::string& dir) {
  project_.SetProjectDirectory(dir);
}

std::string JobCommands::OutputDir() const {
  return project_.OutputDir();
}

void JobCommands::SetOutputDir(const std::string& dir) {
  project_.SetOutputDir(dir);
}

void JobCommands::SetWorkDir(const std::string& dir) {
  project_.State().workDir = dir;
}

void JobCommands::SetSubVersion(const std::string& version) {
  project_.State().subVersion = version;
}

void JobCommands::MarkNameChanged() {
  project_.State().nameChanged = true;
}

void JobCommands::OutputDirMissing() {
  outputField_.Leave();
}

void JobCommands::CreateOutputDir(const std::string& dir) {
  // Only a base directory the job may own is ever created.
  if (!CheckUsableBase(dir)) return;
  std::error_code ec;
  fs::create_directories(dir, ec);
}

std::string JobCommands::JobFilter() const {
  return std::string("Job definitions files(*") + kJobExtension + ")|*" + kJobExtension;
}

void JobCommands::ActivateNamesPage() {
  project_.Context().view.mainPages.SetActivePage(project_.Context().view.namesPage);
}

void JobCommands::ShowSourceCount() {
  auto& page = project_.Context().view.sourcesPage;
  const size_t count = project_.Context().job.sources.Items().size();
  page.SetCaption(BeforeFirst(page.Caption(), "(") + "(" + std::to_string(count) + ")");
}

void JobCommands::ClearProject() {
  JobModel& job = project_.Context().job;
  JobWindow& view = project_.Context().view;
  ProjectState& state = project_.State();
  state.systemName.clear();
  state.productName.clear();
  for (EditBox* edit :
       {&view.systemName, &view.productName, &view.controlWordEdit, &view.wordEdit}) {
    edit->SetText("");
  }
  // The source and copy lists and the wrapping marks are the source lists' own: they
  // clear themselves when told. The word lists and the run's memos follow until their
  // services exist.
  job.objects.Clear();
  job.controlWords.Clear();
  job.nameMap.Clear();
  job.longExtensions.Clear();
  view.viewerPage.SetVisible(false);
  project_.SetProjectName("*");
  state.modified = false;
  project_.Context().actions.Get(n::kActSaveProject).SetEnabled(false);
  auto& sources = view.sourcesPage;
  sources.SetCaption(BeforeFirst(sources.Caption(), "(") + "(0)");
  job.console.Clear();
  state.jobFile.clear();
  state.loadedName.clear();
  project_.ReleaseBase();
  project_.SetTrust(FolderTrust::Owned);
  cleared.Emit();
}

void JobCommands::NewProject() {
  project_.SetModified(false);
  if (!catalogue_.ActiveProduct().empty()) catalogue_.ProductClick(catalogue_.ActiveProduct());
  ActivateNamesPage();
}

void JobCommands::OpenProject(const std::vector<std::string>& dropped) {
  // A drop that is not exactly one job file is ignored before anything is
  // cleared: dropping a source on the window must not empty the job.
  std::error_code ec;
  if (!dropped.empty() && (dropped.size() != 1 || fs::is_directory(dropped.front(), ec) ||
                           fs::path(dropped.front()).extension().string() != kJobExtension)) {
    return;
  }
  project_.SetModified(false);
  ClearProject();
  ActivateNamesPage();

  std::string path;
  if (dropped.empty()) {
    FileDialogRequest request;
    request.title = "Open a Tamrock project definition";
    request.filter = JobFilter();
    request.initialDir = project_.State().projectDirectory;
    request.defaultExt = "jwrap";
    const auto chosen = project_.Context().person.OpenFiles(request);
    if (chosen.empty()) {
      project_.Context().status.ShowErrorAndAbort("File search cancelled, new project created");
    }
    path = chosen.front();
  } else {
    path = dropped.front();
  }
  LoadIntoEmptyJob(path);
  project_.State().nameChanged = false;
  project_.CheckBatchOnLoad();
}

void JobCommands::SaveProject(bool saveAs) {
  WindowContext& context = project_.Context();
  ProjectState& state = project_.State();
  std::string path;
  if (!saveAs) {
    path = state.projectDirectory + project_.GetProjectName() + kJobExtension;
    std::error_code ec;
    // A job opened from a file of another name (a copy, a renamed file) goes back
    // into that file for as long as its names are the ones it was loaded with.
    if (!state.jobFile.empty() && EqualsNoCase(state.loadedName, project_.GetProjectName()) &&
        fs::is_regular_file(state.jobFile, ec)) {
      path = fs::absolute(state.jobFile, ec).string();
    }
    state.nameChanged = !fs::exists(path, ec);
  }
  // A job that did not load completely is never saved over its file unasked.
  const bool broken = project_.Trust() == FolderTrust::Broken;
  if (saveAs || broken || state.projectName.empty() || state.nameChanged) {
    FileDialogRequest request;
    request.title = "Save job as...";
    request.filter = JobFilter();
    request.fileName = project_.GetProjectName();
    request.initialDir = state.projectDirectory;
    request.defaultExt = "jwrap";
    request.overwritePrompt = true;
    const auto chosen = context.person.SaveFile(request);
    if (!chosen) {
      context.status.ShowErrorAndAbort("Save cancelled");
    }
    path = *chosen;
    project_.SetProjectDirectory(path);
    project_.SetProjectName(path);
  } else {
    // Chosen in the dialog, its own overwrite question was the person's answer.
    RefuseAnotherJobsFile(path);
  }

  const Outcome writable = project_.Writable();
  // Marks still open on their pages are part of what the person saves; they go into
  // the holder before it is sorted and the folders are brought in line with it.
  if (writable) saving.Emit();

  // The marks are written in sorted order; later additions append again.
  auto& marks = context.job.marks;
  auto lines = marks.StringList();
  std::stable_sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
    return ToLower(a) < ToLower(b);
  });
  marks.SetStringList(std::move(lines));
  if (!writable) {
    context.status.AddError(writable.Why(), true);
  } else {
    beforeSave.Emit();
  }

  const std::string outputDir = project_.OutputDir();
  context.settings.WriteSetting(
      "LastOutputDir" + catalogue_.LangCode(),
      BeforeLast(NormaliseOutputDir(outputDir), std::string(1, platform::kPathSeparator)));

  JobProjectFields fields;
  fields.activeRadioButton = catalogue_.ActiveProduct();
  fields.projectName = project_.GetProjectName();
  fields.productName = state.productName;
  fields.systemName = state.systemName;
  fields.batchRunning = state.batchRunning;
  fields.projectDirectory = state.projectDirectory;
  fields.langCode = catalogue_.LangCode();
  fields.subVersion = state.subVersion;
  fields.toolRoot = installation_.toolRoot;
  fields.interfaceType = state.interfaceType;
  fields.maxDirDepth = static_cast<int>(catalogue_.DirDepth());
  fields.selectedFilesScreenWidth = context.job.sources.ScrollWidth();
  fields.usedCopiesScreenWidth = context.job.copies.ScrollWidth();
  fields.sourceLinesInJob = state.sourceLinesInJob;
  fields.numberOfRenamedModules = state.numberOfRenamedModules;
  fields.numberOfModules = state.numberOfModules;
  fields.numberOfRenamedSourceFiles = state.numberOfRenamedSourceFiles;
  fields.numberOfSourceFiles = state.numberOfSourceFiles;
  fields.caption = project_.Context().window.Caption();
  if (const Outcome saved = codec_.Save(path, fields); !saved) {
    context.status.ShowErrorAndAbort("Cannot write to " + path + " - " + saved.Why());
  }
  state.nameChanged = false;
  state.jobFile = path;
  state.loadedName = project_.GetProjectName();
  if (const std::optional<BaseOwner> owner = ReadBaseOwner(NormaliseOutputDir(outputDir));
      writable && (!owner || !EqualsNoCase(owner->projectName, state.loadedName))) {
    const Outcome recorded =
        WriteBaseOwner(NormaliseOutputDir(outputDir), {state.loadedName, path});
    if (!recorded) context.status.AddError(recorded.Why(), true);
  }
  project_.MarkSaved();
}

// A save never silently replaces the file of another job: one that names another
// base directory than this job's.
void JobCommands::RefuseAnotherJobsFile(const std::string& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return;
  if (!project_.State().jobFile.empty() && fs::equivalent(path, project_.State().jobFile, ec))
    return;
  std::string otherBase;
  try {
    otherBase = JobFileContent::FromFile(path).Value(n::kFrameOutputDir);
  } catch (const std::exception&) {
    return;  // not a job file that loads: the save dialog's own question covers it
  }
  const std::string ours = NormaliseOutputDir(project_.OutputDir());
  if (otherBase.empty() || NormaliseOutputDir(otherBase) == ours) return;
  const std::string what = path + " holds another job (base directory " + otherBase + ")";
  if (!project_.MayTakeOver(what + ".\r\nOverwrite it with this job?")) {
    project_.Context().status.ShowErrorAndAbort("The job was not saved: " + what);
  }
}

void JobCommands::LoadProject(const std::string& path) {
  ClearProject();
  LoadIntoEmptyJob(path);
}

void JobCommands::LoadIntoEmptyJob(const std::string& path) {
  ProjectState& state = project_.State();
  ownerToRecord_.reset();
  bool failed = false;
  try {
    ApplyJobFile(path);
  } catch (const BaseFolderRefused& refused) {
    project_.SetTrust(FolderTrust::Broken);
    project_.ReleaseBase();
    state.jobFile = path;
    state.loading = false;
    FinishOnPages();
    project_.Context().status.AddErrorAndAbort(refused.what());
  } catch (const OperationAbort&) {
    failed = true;  // its message is already in the list
  } catch (const std::exception& e) {
    // The load's own message follows; this one says which file and what broke.
    failed = true;
    const std::string what = e.what();
    project_.Context().status.AddError(what.rfind(path, 0) == 0 ? what : path + ": " + what, true);
  }
  if (failed) {
    // Whatever was applied stays on show, but a job that did not load completely must
    // never bring its folders in line with its short lists.
    project_.SetTrust(FolderTrust::Broken);
    state.jobFile = path;
    state.loading = false;
    FinishOnPages();
    project_.Context().status.AddErrorAndAbort(kLoadError);
  }
  ClosingSteps();
  if (ownerToRecord_) {
    const Outcome recorded = WriteBaseOwner(ownerFolder_, *ownerToRecord_);
    if (!recorded) project_.Context().status.AddError(recorded.Why(), true);
  }
}

void JobCommands::ApplyJobFile(const std::string& path) {
  WindowContext& context = project_.Context();
  ProjectState& state = project_.State();

  // Everything that can be checked is checked before the window changes: a damaged
  // file fails with the load message, not with whatever its junk happens to name.
  const JobFileContent content = JobFileContent::FromFile(path);
  codec_.CheckComplete(content);
  const JobProjectFields fields = ReadJobProjectFields(content);
  const std::string active = fields.activeRadioButton;
  if (active.empty()) throw JobFileError("The file names no product");

  // The open emptied the job already.
  catalogue_.SelectProduct(
      active, {.checkTools = false, .clearJob = false, .projectName = fields.projectName});
  // From here on a failure leaves a job that is not whole.
  project_.SetTrust(FolderTrust::Broken);
  state.jobFile = path;
  state.loading = true;

  RadioButton* button = context.job.Product(active);
  if (button == nullptr) throw JobFileError("No product " + active);
  catalogue_.SetActiveProduct(active);
  button->SetChecked(true);

  // The steps keep their order: a failure leaves what was applied before it.
  codec_.ApplyMemos(content);
  context.job.nameMap.Shown().SetModified(true);
  context.job.nameMap.TakeLoaded();
  project_.SetProjectName(fields.projectName);
  project_.SetSystemName(fields.systemName);
  project_.SetProductName(fields.productName);
  state.subVersion = fields.subVersion;
  state.interfaceType = fields.interfaceType;
  // The job's folder is the one its file was opened from: a copied job saves beside
  // the copy, never over the original named inside it.
  std::error_code ec;
  project_.SetProjectDirectory(fs::absolute(fs::path(path), ec).string());
  catalogue_.SetDirDepth(fields.maxDirDepth);
  project_.SetBatchRunning(fields.batchRunning);
  state.numberOfRenamedModules = fields.numberOfRenamedModules;
  state.numberOfModules = fields.numberOfModules;
  state.numberOfRenamedSourceFiles = fields.numberOfRenamedSourceFiles;
  state.numberOfSourceFiles = fields.numberOfSourceFiles;
  context.job.sources.SetScrollWidth(fields.selectedFilesScreenWidth);
  context.job.copies.SetScrollWidth(fields.usedCopiesScreenWidth);
  state.sourceLinesInJob = fields.sourceLinesInJob;

  WindowState& window = context.window;
  window.SetCaption(BeforeLast(window.Caption(), " - ") + " - " + catalogue_.ProductCaption());
  if (!fields.caption.empty()) window.SetCaption(fields.caption);
  codec_.ApplyComponents(content, installation_.rememberFiles);
  state.loadedName = project_.GetProjectName();
  ShowSourceCount();
  state.modified = false;
  context.actions.Get(n::kActSaveProject).SetEnabled(false);
  TakeOutputDirFrom(content);
}

void JobCommands::TakeOutputDirFrom(const JobFileContent& content) {
  // Only the base directory the file itself names is ever touched: not the one the
  // product selection proposed from the last job, not one relative to wherever the
  // program happens to run.
  const std::string named = content.Value(n::kFrameOutputDir);
  const Outcome usable =
      named.empty() ? Outcome::Failure("the file names none") : CheckUsableBase(named);
  if (usable) {
    project_.SetOutputDir(named);
    ClaimBase(named, ReadJobProjectFields(content).projectName);
    project_.SetTrust(FolderTrust::Owned);
    return;
  }
  project_.SetOutputDir("");
  project_.SetTrust(FolderTrust::Unconfirmed,
                    named.empty() ? usable.Why() : named + ": " + usable.Why());
  project_.Context().status.AddError(project_.Writable().Why(), true);
}

// Before anything in the folder is brought in line with this job: no other shell may
// work in it, and a folder another job owns is taken over only when the person agrees
// (a windowless run only with its switch).
void JobCommands::ClaimBase(const std::string& dir, const std::string& savedName) {
  const std::string folder = NormaliseOutputDir(dir);
  // A folder that is not there holds nothing to protect; it is locked when the job
  // first writes into it.
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return;
  if (const Outcome held = project_.LockBase(folder); !held) {
    throw BaseFolderRefused(held.Why());
  }
  const std::string name = project_.GetProjectName();
  const std::optional<BaseOwner> owner = ReadBaseOwner(folder);
  // A job saved under a name of its own ("Save as") records that name; opened again it
  // is known by its names, yet it is the same job.
  if (owner && !savedName.empty() && EqualsNoCase(owner->projectName, savedName)) return;
  if (owner && !EqualsNoCase(owner->projectName, name)) {
    const std::string other =
        owner->projectName + (owner->jobFile.empty() ? std::string() : " (" + owner->jobFile + ")");
    if (!project_.MayTakeOver("The base directory " + folder + " belongs to the job " + other +
                              ".\r\nTake it over for " + name +
                              "? Its collections will be brought in line with this job.")) {
      project_.SetBaseHeld();
      throw BaseFolderRefused("The base directory " + folder + " belongs to the job " + other +
                              "; nothing in it was touched (-TakeOver takes it over)");
    }
  }
  // Recorded once the job has loaded completely: a failed load writes nothing.
  if (!owner || !EqualsNoCase(owner->projectName, name)) {
    ownerToRecord_ = BaseOwner{name, project_.State().jobFile};
    ownerFolder_ = folder;
  }
}

void JobCommands::ClosingSteps() {
  ProjectState& state = project_.State();
  {
    // The tools check creates a missing output directory silently while the load is
    // still marked; the load is over afterwards however the check ends.
    state.loading = true;
    const ScopeExit loadOver([&state] { state.loading = false; });
    loadClosing.Emit();
    catalogue_.CheckProjectTools();
  }
  FinishOnPages();
}

void JobCommands::FinishOnPages() {
  ActivateNamesPage();
  project_.Context().view.copySourcePages.SetActivePage(project_.Context().view.sourcesPage);
  loadFinished.Emit();
}

}  // namespace korvane
