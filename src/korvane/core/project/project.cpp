#include "korvane/core/project/project.h"

#include "korvane/core/common/text.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/project/output_directory.h"

namespace korvane {

namespace n = names;

namespace {

constexpr const char* kSaveQuestion =
    "The current project has been modified \r\nDo you want to save the changes?'";
constexpr const char* kMissingOutputs =
    "Some awaited outputs are still misssing from your previous processing.\r\n"
    "If your background job is still running, reply Cancel to exit.\r\n"
    "Reply OK, if the process was broken, and you want to restart this project.";
constexpr const char* kBatchFinished =
    "Your batch process seems to have finished in the mean time. \r\nEnjoy the results. ";

// The file's base name without directory and extension.
std::string BaseNameOf(const std::string& fileName) {
  const size_t slash = fileName.rfind('/');
  std::string name = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

}  // namespace

std::string CaptionWithProject(const std::string& caption, const std::string& projectName) {
  return BeforeLast(caption, " [") + " [" + projectName + "]" + AfterLast(caption, "]");
}

Project::Project(WindowContext& context, const ActiveLanguage& language, JobSaver& saver)
    : context_(context), language_(language), saver_(saver) {}

std::string Project::OutputDir() const {
  return context_.job.baseFolder.Text();
}

void Project::SetOutputDir(const std::string& dir) {
  context_.job.baseFolder.SetText(dir);
}

std::string Project::GetProjectName() {
  if (state_.projectName.empty()) {
    // Copies first: the Set operations update the state they are given.
    const std::string system = state_.systemName;
    const std::string product = state_.productName;
    SetSystemName(system);
    SetProductName(product);
    state_.projectName = ProperCase(state_.productName) + ProperCase(state_.systemName) +
                         ProperCase(state_.subVersion);
  }
  return state_.projectName;
}

void Project::SetProjectName(const std::string& fileName) {
  state_.projectName = (fileName.empty() || fileName == "*") ? "" : BaseNameOf(fileName);
  context_.window.SetCaption(CaptionWithProject(context_.window.Caption(), state_.projectName));
}

void Project::SetProductName(const std::string& text) {
  ApplyName(text, state_.productName, context_.view.productName,
            "Product name missing or incorrect");
}

void Project::SetSystemName(const std::string& text) {
  ApplyName(text, state_.systemName, context_.view.systemName,
            "System name name missing or incorrect");
}

void Project::ApplyName(const std::string& text, std::string& name, EditBox& edit,
                        const char* message) {
  if (text == "*") {
    name.clear();
  } else if (!text.empty() && !(text.front() >= '0' && text.front() <= '9')) {
    name = text;
  } else {
    context_.view.mainPages.SetActivePage(context_.view.namesPage);
    edit.RequestFocus();
    context_.status.ShowErrorAndAbort(message);
  }
  state_.nameChanged = true;
  state_.projectName.clear();
  const std::string shown = name;  // the edit box's change handler may copy back
  edit.SetText(shown);
  SetModified(true);
  context_.status.ClearMessages();
}

void Project::SetProjectDirectory(const std::string& path) {
  const size_t slash = path.rfind('/');
  state_.projectDirectory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  context_.settings.WriteSetting("LastPosition" + language_.LangCode(), state_.projectDirectory);
}

bool Project::Modified() const {
  return state_.modified || (pendingEdits_ != nullptr && pendingEdits_->HasPendingEdits());
}

void Project::SetModified(bool flag) {
  Action* save = context_.actions.Find(n::kActSaveProject);
  if (!flag && Modified()) {
    const Button answer = context_.person.Ask(MessageKind::Warning, kSaveQuestion,
                                              {Button::Yes, Button::No, Button::Cancel});
    if (answer == Button::Yes) {
      if (save != nullptr) save->SetEnabled(true);
      saver_.SaveJob();
    } else if (answer == Button::Cancel) {
      context_.status.ShowErrorAndAbort("Action cancelled");
    }
  }
  state_.modified = flag;
  if (save != nullptr) save->SetEnabled(flag);
}

void Project::SetBatchRunning(bool flag) {
  state_.batchRunning = flag;
  SetModified(true);
}

void Project::MarkSaved() {
  state_.modified = false;
  if (Action* save = context_.actions.Find(n::kActSaveProject)) save->SetEnabled(false);
}

void Project::SetTrust(FolderTrust trust, std::string reason) {
  state_.folderTrust = trust;
  state_.trustReason = std::move(reason);
}

Outcome Project::LockBase(const std::string& dir) {
  baseHeld_ = false;
  const std::string folder = NormaliseOutputDir(dir);
  if (lock_ && lock_->Folder() == folder) return {};
  lock_.reset();
  platform::FolderLock::Attempt attempt = platform::FolderLock::TryTake(folder, state_.jobFile);
  if (attempt.lock) {
    lock_ = std::move(attempt.lock);
    return {};
  }
  if (attempt.held) {
    baseHeld_ = true;
    return Outcome::Failure("The base directory " + folder + " is in use by another Korvane (" +
                            platform::DescribeHolder(attempt.holder) +
                            "); nothing in it was touched");
  }
  return Outcome::Failure("The base directory " + folder +
                          " cannot be locked for this job: " + attempt.error);
}

bool Project::MayTakeOver(const std::string& question) {
  switch (takeOver_) {
    case TakeOver::Allow:
      return true;
    case TakeOver::Refuse:
      return false;
    case TakeOver::Ask:
      break;
  }
  return context_.person.Ask(MessageKind::Warning, question, {Button::Yes, Button::No}) ==
         Button::Yes;
}

Outcome Project::Writable() const {
  const std::string job = state_.jobFile.empty() ? std::string("file") : state_.jobFile;
  switch (state_.folderTrust) {
    case FolderTrust::Broken:
      return Outcome::Failure("The job " + job +
                              " did not load completely; its folders are left untouched until it "
                              "loads or a new job is started");
    case FolderTrust::Unconfirmed:
      return Outcome::Failure("The job " + job + " names no usable base directory (" +
                              state_.trustReason +
                              "); its folders are left untouched until you choose one");
    case FolderTrust::Owned:
      break;
  }
  const std::string dir = OutputDir();
  if (const Outcome usable = CheckUsableBase(dir); !usable) {
    return Outcome::Failure("The base directory " + dir +
                            " cannot hold the job's files: " + usable.Why());
  }
  return {};
}

std::string Project::WritableBase() {
  if (const Outcome writable = Writable(); !writable) {
    context_.status.ShowErrorAndAbort(writable.Why());
  }
  // Nothing is written into a folder another shell works in.
  if (const Outcome held = LockBase(OutputDir()); !held) {
    context_.status.ShowErrorAndAbort(held.Why());
  }
  return OutputDir();
}

void Project::CheckBatchOnLoad() {
  if (!state_.batchRunning) return;
  // Renaming leaves the counters alone, so the renamed count is the one the
  // job file was saved with.
  // Results that arrived meanwhile get their names.
  if (renamer_ != nullptr) renamer_->RenameResults();
  if (state_.numberOfRenamedModules != state_.numberOfModules) {
    const Button answer =
        context_.person.Ask(MessageKind::Warning, kMissingOutputs, {Button::Ok, Button::Cancel});
    if (answer == Button::Cancel) {
      // The run may still be going: keep "running" in the file so the next
      // opening checks again, then leave.
      SetModified(true);
      saver_.SaveJob();
      state_.batchRunning = false;
      context_.window.RequestClose();
    } else {
      SetBatchRunning(false);
    }
    return;
  }
  context_.person.Ask(MessageKind::Information, kBatchFinished, {Button::Ok});
  SetBatchRunning(false);
  saver_.SaveJob();
}

void Project::BindNameFields() {
  auto bind = [this](EditBox& edit, std::string ProjectState::*field,
                     void (Project::*apply)(const std::string&)) {
    connections_.Add(edit.changed.Connect([this, &edit, field] { state_.*field = edit.Text(); }));
    connections_.Add(edit.exited.Connect([this, &edit, apply] {
      if (!edit.Text().empty()) (this->*apply)(edit.Text());
    }));
  };
  bind(context_.view.productName, &ProjectState::productName, &Project::SetProductName);
  bind(context_.view.systemName, &ProjectState::systemName, &Project::SetSystemName);
}

}  // namespace korvane
