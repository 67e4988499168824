#include "korvane/core/project/output_directory.h"

#include <filesystem>
#include <system_error>

#include "korvane/core/common/text.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/form/component_names.h"
#include "platform/path_rules.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

DirectoryFrame& Frame(Project& project) {
  return project.Context().job.baseFolder;
}

std::string FormatDirQuestion(const std::string& dir) {
  return "Directory " + dir + " doesn't exists, create it? ";
}

}  // namespace

bool IsAbsoluteOutputDir(const std::string& text) {
  return platform::IsLocalRootedPath(text);
}

std::string NormaliseOutputDir(const std::string& text) {
  constexpr char sep = platform::kPathSeparator;
  std::string result = CollapseRepeats(text, sep);
  if (result.size() > 1 && result.back() == sep) result.pop_back();
  return result;
}

std::string WorkDirOf(const std::string& outputDir) {
  constexpr char sep = platform::kPathSeparator;
  if (!outputDir.empty() && outputDir.back() == sep) return outputDir + "Work";
  return outputDir + sep + "Work";
}

OutputDirectoryField::OutputDirectoryField(Project& project) : project_(project) {}

void OutputDirectoryField::Bind() {
  auto& frame = Frame(project_);
  connections_.Add(frame.modifiedExit.Connect([this] { ModifiedExit(); }));
  connections_.Add(frame.directoryChanged.Connect([this] { DirectoryChanged(); }));
  connections_.Add(frame.leaving.Connect([this] { Leave(); }));
  connections_.Add(frame.typed.Connect([this] { KeyTyped(false); }));
  connections_.Add(frame.browseClicked.Connect([this, &frame] {
    frame.BrowseForDir();  // a cancel ends the operation here
    AfterBrowse();
  }));
}

void OutputDirectoryField::Leave() {
  auto& status = project_.Context().status;
  auto& frame = Frame(project_);
  auto& state = project_.State();
  status.ClearMessages();
  if (!IsAbsoluteOutputDir(frame.Text())) {
    // The view selects the whole text when the field takes the focus back.
    frame.RequestFocus();
    status.ShowErrorAndAbort(frame.Text().empty()
                                 ? "This field must not be empty"
                                 : "Invalid output directory (No relative or UNC format path "
                                   "is allowed here)!");
  }
  if (state.createPending && frame.Modified()) {
    std::error_code ec;
    fs::create_directories(fs::path(NormaliseOutputDir(frame.Text())), ec);
  }
  state.createPending = false;
  NormaliseField();

  // The frame offers to create a missing folder and, if it is still missing,
  // reports it and opens the browser.
  frame.EditExit();
  state.workDir = WorkDirOf(frame.Text());
  ConfirmChoice();
  project_.SetModified(true);
}

void OutputDirectoryField::KeyTyped(bool enter) {
  if (enter) {
    Leave();
  } else {
    project_.State().createPending = false;
  }
}

void OutputDirectoryField::ModifiedExit() {
  auto& frame = Frame(project_);
  const std::string dir = frame.Text();
  std::error_code ec;
  if (dir.empty() || fs::is_directory(fs::path(dir), ec)) return;
  const Button answer = project_.Context().person.Ask(
      MessageKind::Confirmation, FormatDirQuestion(dir), {Button::Ok, Button::Cancel});
  if (answer != Button::Ok) return;
  ec.clear();
  fs::create_directories(fs::path(dir), ec);
  if (ec || !fs::is_directory(fs::path(dir), ec)) {
    project_.Context().person.Ask(MessageKind::Warning, "Cannot create directory", {Button::Ok});
  }
}

void OutputDirectoryField::AfterBrowse() {
  NormaliseField();
  project_.State().workDir = WorkDirOf(Frame(project_).Text());
  ConfirmChoice();
  project_.SetModified(true);
}

void OutputDirectoryField::ConfirmChoice() {
  // A job whose file named no usable folder takes the one the person chose; a job that
  // did not load completely never owns a folder.
  if (project_.Trust() == FolderTrust::Unconfirmed) project_.SetTrust(FolderTrust::Owned);
}

void OutputDirectoryField::DirectoryChanged() {
  auto& frame = Frame(project_);
  frame.SetModified(true);
  frame.RequestFocus();
  Leave();
}

void OutputDirectoryField::DropNames() {
  auto& frame = Frame(project_);
  const std::string name = project_.GetProjectName();
  const std::string dir = frame.Text();
  std::string last = AfterLast(dir, "/");
  if (dir.find('/') == std::string::npos) last = dir;
  if (last == name) return;
  std::string base = dir;
  if (!base.empty() && base.back() == '/') base.pop_back();
  frame.SetText(base + "/" + name);
  frame.SetModified(true);
  frame.RequestFocus();
  project_.State().createPending = true;
}

void OutputDirectoryField::NormaliseField() {
  auto& frame = Frame(project_);
  const bool edited = frame.Modified();
  frame.SetText(NormaliseOutputDir(frame.Text()));
  frame.SetModified(edited);
}

}  // namespace korvane
