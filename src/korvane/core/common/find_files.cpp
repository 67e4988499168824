#include "korvane/core/common/find_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <unordered_map>

#include "korvane/core/common/mask.h"
#include "korvane/core/common/text.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

// Everything derived from the pattern and the extension list, worked out once per search
// instead of once per file.
class FileFilter {
 public:
  FileFilter(std::string pattern, const std::string& extensions)
      : extensions_(ToLower(extensions + ";")) {
    allExtensions_ = extensions_.find("*.*;") != std::string::npos;
    if (pattern.find('*') != std::string::npos) {
      if (pattern == "*") {
        pattern.clear();
      } else {
        if (pattern.front() == '*') {
          matchSuffix_ = true;
          pattern.erase(0, 1);
        }
        if (!pattern.empty() && pattern.back() == '*') {
          matchPrefix_ = true;
          pattern.pop_back();
        }
      }
    }
    pattern_ = ToLower(pattern);
  }

  bool Admits(const std::string& fileName) {
    const size_t dot = fileName.rfind('.');
    const std::string_view base =
        std::string_view(fileName).substr(0, dot == std::string::npos ? fileName.size() : dot);
    if (!allExtensions_) {
      const std::string_view ext =
          dot == std::string::npos ? std::string_view(".") : std::string_view(fileName).substr(dot);
      if (!ExtensionListed(ext)) return false;
    }
    if (pattern_.empty()) return true;

    const std::string lowerName = ToLower(fileName);
    const std::string_view lowerBase = std::string_view(lowerName).substr(0, base.size());
    if (lowerName == pattern_ || lowerBase == pattern_) return true;
    if (matchPrefix_ && matchSuffix_) {
      if (lowerBase.find(pattern_) != std::string_view::npos) return true;
    } else if (matchPrefix_) {
      if (lowerBase.substr(0, pattern_.size()) == pattern_) return true;
    } else if (matchSuffix_) {
      if (lowerBase.size() >= pattern_.size() &&
          lowerBase.substr(lowerBase.size() - pattern_.size()) == pattern_) {
        return true;
      }
    }
    return MatchMask(base, pattern_, matchPrefix_);
  }

 private:
  // The list is searched as text ("<ext>;" anywhere in it), which also accepts masks
  // like "*.cbl;". Trees hold few distinct extensions, so each verdict is remembered.
  bool ExtensionListed(std::string_view ext) {
    std::string key = ToLower(ext);
    const auto known = verdicts_.find(key);
    if (known != verdicts_.end()) return known->second;
    const bool listed = extensions_.find(key + ";") != std::string::npos;
    verdicts_.emplace(std::move(key), listed);
    return listed;
  }

  std::string extensions_;
  bool allExtensions_ = false;
  std::string pattern_;
  bool matchPrefix_ = false;
  bool matchSuffix_ = false;
  std::unordered_map<std::string, bool> verdicts_;
};

std::string JoinFolder(const std::string& dir, const std::string& subdir) {
  std::string folder = dir;
  std::string_view sub = subdir;
  if (!folder.empty()) {
    while (!sub.empty() && sub.front() == '/') sub.remove_prefix(1);
    if (folder.back() != '/') folder += '/';
  }
  folder += sub;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

void Search(const std::string& folder, int depth, FileFilter& filter,
            std::vector<std::string>& list) {
  if (depth == 0) return;
  // Sorted by name, so that which file comes first never depends on the file system.
  std::vector<fs::directory_entry> entries;
  std::error_code ec;
  fs::directory_iterator it(fs::path(folder), ec);
  for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!name.empty() && name.front() != '.') entries.push_back(*it);
  }
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
    return a.path().filename().native() < b.path().filename().native();
  });

  for (const fs::directory_entry& entry : entries) {
    const std::string name = entry.path().filename().string();
    std::error_code statError;
    const fs::file_status own = entry.symlink_status(statError);
    if (statError) continue;
    if (fs::is_directory(own)) {
      Search(folder + name + "/", depth - 1, filter, list);
      continue;
    }
    if (fs::is_symlink(own)) {
      // A link may stand for a file, but a linked directory is not entered: that is
      // how a tree with a link back to its own top could be searched forever.
      const fs::file_status target = entry.status(statError);
      if (statError || !fs::is_regular_file(target)) continue;
    } else if (!fs::is_regular_file(own)) {
      continue;  // devices, pipes and sockets are not sources; copying a pipe would hang
    }
    if (filter.Admits(name)) list.push_back(folder + name);
  }
}

}  // namespace

void FindFiles(const std::string& dir, const std::string& subdir, std::string pattern, int depth,
               std::vector<std::string>& list, const std::string& extensions) {
  if (depth == 0) return;
  const std::string folder = JoinFolder(dir, subdir);
  // An empty folder would otherwise turn into the current directory or the root.
  if (folder.empty()) return;
  FileFilter filter(std::move(pattern), extensions);
  Search(folder, depth, filter, list);
}

}  // namespace korvane
