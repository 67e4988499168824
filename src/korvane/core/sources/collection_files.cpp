#include "korvane/core/sources/collection_files.h"

#include <filesystem>

#include "korvane/core/common/status_bar.h"
#include "korvane/core/common/system_error.h"
#include "korvane/core/common/text.h"

namespace korvane {

namespace fs = std::filesystem;

std::string FileNameOf(std::string_view path) {
  const size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ExtensionOf(std::string_view fileName) {
  const size_t dot = fileName.rfind('.');
  return dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot));
}

std::unordered_set<std::string> AcceptedExtensions(std::string_view filter) {
  std::unordered_set<std::string> items;
  std::string item;
  auto flush = [&] {
    if (!item.empty()) items.insert(ToLower(item));
    item.clear();
  };
  for (size_t i = 0; i < filter.size(); ++i) {
    const char c = filter[i];
    if (c == ';' || c == '|') {
      flush();
    } else if (c == '*' && i + 1 < filter.size() && filter[i + 1] == '.') {
      item += '.';
      ++i;
    } else {
      item += c;
    }
  }
  flush();
  return items;
}

bool IsPlainFileName(std::string_view fileName) {
  return !fileName.empty() && fileName.find('/') == std::string_view::npos &&
         fileName.find("..") == std::string_view::npos &&
         fileName.find('\0') == std::string_view::npos && fileName != ".";
}

Outcome CheckJobCanHold(std::string_view fileName, std::string_view origin) {
  auto hasBreak = [](std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
  };
  if (hasBreak(fileName) || hasBreak(origin))
    return Outcome::Failure("its name holds a line break");
  if (fileName.find('=') != std::string_view::npos) return Outcome::Failure("its name holds \"=\"");
  if (!fileName.empty() && fileName.front() == '[')
    return Outcome::Failure("its name starts with \"[\"");
  return {};
}

void CopyIntoCollection(const std::string& source, const std::string& destination,
                        StatusBar& status) {
  std::error_code ec;
  // Writing through a link planted in the collection would change a file
  // outside the job; the link itself goes instead.
  if (fs::is_symlink(fs::symlink_status(destination, ec))) fs::remove(destination, ec);
  ec.clear();
  fs::copy_file(source, destination, fs::copy_options::overwrite_existing, ec);
  if (ec) {
    status.ShowErrorAndAbort("Error during preparation - " + SystemErrorText(ec.value()) +
                             " (copying " + source + " to " + destination + ")");
  }
}

void RemoveCollectionFile(const std::string& folder, std::string_view fileName) {
  if (!IsPlainFileName(fileName)) return;
  std::error_code ec;
  const fs::path target = fs::path(folder) / std::string(fileName);
  // A directory of that name is not a collection file: leave it alone.
  const auto st = fs::symlink_status(target, ec);
  if (ec || fs::is_directory(st)) return;
  fs::remove(target, ec);
}

}  // namespace korvane
