// Loading and following the file of a viewer page.
#include "korvane/core/viewer/viewer_page.h"

#include <fstream>

#include "korvane/core/common/text_file.h"
#include "korvane/core/viewer/rtf.h"

namespace korvane {

std::optional<std::filesystem::file_time_type> FileDateOf(const std::string& path) {
  std::error_code ec;
  const auto date = std::filesystem::last_write_time(path, ec);
  if (ec) return std::nullopt;
  return date;
}

ViewerPage::ViewerPage(std::string name, std::string caption)
    : name_(std::move(name)), caption_(std::move(caption)) {}

void ViewerPage::LoadFile(const std::string& path) {
  std::string bytes = ReadFileBytes(path);
  loadedSize_ = bytes.size();
  if (const auto styled = ReadRtf(bytes)) {
    document_.SetStyled(*styled);
  } else {
    document_.TakePlainText(std::move(bytes));
  }
  fileDate_ = FileDateOf(path);
}

bool ViewerPage::Refresh() {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(fileName_, ec);
  if (ec || size == loadedSize_) return false;
  if (size < loadedSize_) {
    try {
      LoadFile(fileName_);
    } catch (const FileError&) {
      return false;
    }
    return true;
  }
  std::ifstream in(fileName_, std::ios::binary);
  if (!in) return false;
  in.seekg(static_cast<std::streamoff>(loadedSize_));
  std::string added(static_cast<size_t>(size - loadedSize_), '\0');
  in.read(added.data(), static_cast<std::streamsize>(added.size()));
  added.resize(static_cast<size_t>(in.gcount()));
  loadedSize_ += added.size();
  fileDate_ = FileDateOf(fileName_);
  document_.Append(added);
  return !added.empty();
}

}  // namespace korvane
