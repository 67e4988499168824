#include <filesystem>
#include <optional>
#include <stdexcept>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/person_port.h"
#include "korvane/core/common/scope_exit.h"
#include "korvane/core/common/settings_store.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/components/frames.h"
#include "platform/system_paths.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

bool DirectoryExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

// The folder part of a path without its separator; the root keeps its "/".
std::string ParentOf(const std::string& path) {
  const auto pos = path.rfind('/');
  if (pos == std::string::npos) return {};
  if (pos == 0) return "/";
  return path.substr(0, pos);
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string WithTrailingSlash(const std::string& path) {
  if (!path.empty() && path.back() == '/') return path;
  return path + "/";
}

}  // namespace

void DirectoryFrame::ReportError(const std::string& text) {
  if (statusBar_ != nullptr) statusBar_->ShowError(text, /*goOn=*/true);
}

void DirectoryFrame::EditExit() {
  if (!modified_) return;
  modifiedExit.Emit();
  // The callback may have created the folder, so look only now.
  if (DirectoryExists(text_)) return;
  ReportError(Caption() + " - " + text_ + " doesn't exist");
  BrowseClick();
}

void DirectoryFrame::BrowseClick() {
  if (browseClicked.SlotCount() > 0) {
    browseClicked.Emit();
  } else {
    BrowseForDir();
  }
}

std::string DirectoryFrame::BrowseStartDirectory() const {
  std::string start = text_;
  while (start.size() >= 3 && !DirectoryExists(start)) {
    std::string parent = ParentOf(start);
    if (parent == start) break;
    start = std::move(parent);
  }
  if (start.size() < 3) return platform::DocumentsFolder();
  return start;
}

void DirectoryFrame::BrowseForDir() {
  if (person_ == nullptr || settings_ == nullptr) {
    throw std::logic_error("DirectoryFrame " + Name() + " is not bound");
  }
  std::optional<std::string> chosen;
  {
    // The browse state colours the field; it must be reset on every way out, a cancel's
    // abort included, or the field would stay grey.
    SetBrowsing(true);
    const ScopeExit browsing([this] { SetBrowsing(false); });
    // Some folder browsers move the process's current directory; relative paths
    // elsewhere in the shell must not notice.
    std::error_code ec;
    const fs::path saved = fs::current_path(ec);
    const ScopeExit currentDirectory([&saved] {
      std::error_code restoreError;
      if (!saved.empty()) fs::current_path(saved, restoreError);
    });
    FolderDialogRequest request;
    request.caption = Caption();
    request.startDir = BrowseStartDirectory();
    request.allowCreate = allowCreate_;
    chosen = person_->ChooseFolder(request);
  }
  if (!chosen) {
    ReportError("Directorry selection cancelled ");
    throw OperationAbort();
  }
  const bool changed = *chosen != text_;
  if (changed) TakeDirectory(*chosen);
  // Cleared before the listeners run so that what they report stays shown.
  if (statusBar_ != nullptr) statusBar_->ClearMessages();
  if (changed) directoryChanged.Emit();
}

void DirectoryFrame::TakeDirectory(const std::string& dir) {
  SetText(dir);
  SetVisible(true);
  settings_->WriteSetting("LastSelectedDir", text_);
}

void DirectoryFrame::DropFiles(const std::vector<std::string>& paths) {
  if (paths.size() != 1) return;
  const std::string& item = paths.front();
  const std::string dir = WithoutTrailingSlash(DirectoryExists(item) ? item : ParentOf(item));
  if (!DirectoryExists(dir)) return;
  if (WithTrailingSlash(dir) == WithTrailingSlash(text_)) return;
  if (settings_ == nullptr) throw std::logic_error("DirectoryFrame " + Name() + " is not bound");
  TakeDirectory(dir);
  directoryChanged.Emit();
}

}  // namespace korvane
