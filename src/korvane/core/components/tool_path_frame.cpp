#include <filesystem>
#include <stdexcept>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/person_port.h"
#include "korvane/core/common/scope_exit.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/common/text.h"
#include "korvane/core/components/frames.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

// A folder is never a tool, so only other entries count as files.
bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::exists(path, ec) && !fs::is_directory(path, ec);
}

bool IsDirectory(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

std::string NamePart(const std::string& path) {
  const auto pos = path.rfind('/');
  return pos == std::string::npos ? path : path.substr(pos + 1);
}

std::string DirectoryPart(const std::string& path) {
  const auto pos = path.rfind('/');
  if (pos == std::string::npos) return {};
  if (pos == 0) return "/";
  return path.substr(0, pos);
}

// The extension with its dot, empty when the name has none.
std::string ExtensionOf(const std::string& path) {
  const std::string name = NamePart(path);
  const auto pos = name.rfind('.');
  return pos == std::string::npos ? std::string() : name.substr(pos);
}

// The text between the first and the second "|" of a dialog filter.
std::string FirstPattern(const std::string& filter) {
  const auto first = filter.find('|');
  if (first == std::string::npos) return {};
  const auto second = filter.find('|', first + 1);
  return second == std::string::npos ? filter.substr(first + 1)
                                     : filter.substr(first + 1, second - first - 1);
}

}  // namespace

void ToolPathFrame::Report(const std::string& text) {
  if (statusBar_ != nullptr) statusBar_->AddError(text, /*goOn=*/true);
}

bool ToolPathFrame::ValidatePath(bool interactive) {
  SetInvalid(false);
  if (!Visible() || defaultName_ == "@") return true;
  if (defaultName_.find('*') != std::string::npos) {
    // Shown red, which the shell reads as unusable, yet not a reason to stop.
    SetInvalid(true);
    Report("File " + Caption() + " is marked unavailable!");
    return true;
  }
  if ((text_ == "?" || text_.empty()) && !defaultName_.empty()) SetText(defaultName_);
  if (FileExists(text_)) return true;
  SetInvalid(true);
  if (Tag() == 1) return true;  // an optional file: red is all it gets
  if (!interactive) return false;
  std::string path = text_;
  if (!BrowseForFile(path, Caption())) {
    Report("File not found: " + text_);
    return false;
  }
  SetInvalid(false);
  if (path != text_) SetText(path);
  return true;
}

bool ToolPathFrame::BrowseForFile(std::string& path, const std::string& caption) {
  if (person_ == nullptr) throw std::logic_error("ToolPathFrame " + Name() + " is not bound");
  const std::string& preset = (path == "?" || path.empty()) ? defaultName_ : path;
  FileDialogRequest request;
  request.fileName = NamePart(preset);
  request.initialDir = DirectoryPart(preset);
  // The first use decides the filter and title; later uses keep them, so a
  // changed default does not change what drops are accepted.
  if (dialogFilter_.empty()) {
    const std::string ext = ExtensionOf(request.fileName);
    dialogFilter_ = ext.empty() ? "All files(*.*)|*.*"
                                : caption + " files (*" + ext + ")|*" + ext + "|All files(*.*)|*.*";
  }
  if (dialogTitle_.empty()) dialogTitle_ = "Find " + caption + " ";
  request.filter = dialogFilter_;
  request.title = dialogTitle_;

  std::vector<std::string> chosen;
  {
    // The field shows the button-face colour only while the dialog is open, whichever
    // way the dialog is left.
    SetBrowsing(true);
    const ScopeExit browsing([this] { SetBrowsing(false); });
    chosen = person_->OpenFiles(request);
  }
  if (chosen.empty()) return false;
  path = chosen.front();
  return true;
}

void ToolPathFrame::BrowseClick() {
  if (!Visible()) return;
  std::string path = text_;
  if (!BrowseForFile(path, Caption())) throw OperationAbort();
  // The dialog only returns files that exist: the field is no longer wrong.
  SetInvalid(false);
  if (path != text_) SetText(path);
}

void ToolPathFrame::EditExit() {
  if (!Visible() || !modified_) return;
  if (FileExists(text_)) return;
  Report("File \"" + text_ + "\" doesn't exist");
  BrowseClick();
}

void ToolPathFrame::DropFiles(const std::vector<std::string>& paths) {
  if (paths.size() != 1) return;
  const std::string& path = paths.front();
  if (IsDirectory(path)) return;
  const std::string pattern = FirstPattern(dialogFilter_);
  if (!pattern.empty() && pattern != "*.*") {
    // A lone ";" (no extension) occurs in every pattern, so such files pass.
    const std::string wanted = ToLower(ExtensionOf(path) + ";");
    if (ToLower(pattern + ";").find(wanted) == std::string::npos) return;
  }
  SetInvalid(false);
  SetText(path);
}

}  // namespace korvane
