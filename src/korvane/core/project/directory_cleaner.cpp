#include "korvane/core/project/directory_cleaner.h"

#include <filesystem>
#include <system_error>

#include "korvane/core/common/text.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

bool Contains(const fs::path& outer, const fs::path& inner) {
  auto o = outer.begin();
  auto i = inner.begin();
  for (; o != outer.end(); ++o, ++i) {
    if (o->empty()) continue;  // a trailing separator
    if (i == inner.end() || *o != *i) return false;
  }
  return true;
}

int Clean(const fs::path& folder, int depth, const std::string& mask, const CleanLimits& limits,
          bool top) {
  int matched = 0;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    std::error_code statError;
    const fs::file_status own = it->symlink_status(statError);
    if (statError) continue;
    const fs::path& entry = it->path();
    if (fs::is_directory(own)) {
      if (depth - 1 >= 1) {
        matched += Clean(entry, depth - 1, mask, limits, false);
        std::error_code removeError;
        fs::remove(entry, removeError);  // fails, as wanted, while not empty
      }
      continue;
    }
    const std::string name = entry.filename().string();
    if (!NameFitsCleanMask(name, mask)) continue;
    ++matched;
    if (!limits.keepExtension.empty() &&
        EqualsNoCase(entry.extension().string(), limits.keepExtension)) {
      continue;
    }
    if (top && limits.keepNames != nullptr && fs::is_regular_file(own) &&
        limits.keepNames->count(name) != 0) {
      continue;
    }
    std::error_code removeError;
    fs::remove(entry, removeError);  // a link goes, never its target
  }
  return matched;
}

}  // namespace

bool NameFitsCleanMask(const std::string& fileName, const std::string& mask) {
  if (mask.empty()) return true;
  std::string shape = ToUpper(fileName);
  for (char& c : shape) {
    if (c >= '0' && c <= '9') c = '#';
  }
  return StartsWithText(mask, shape);
}

bool LiesWithin(const std::string& path, const std::string& boundary) {
  std::error_code ec;
  const fs::path base = fs::weakly_canonical(fs::path(boundary), ec);
  if (ec) return false;
  const fs::path p(path);
  const fs::path parent = fs::weakly_canonical(p.parent_path(), ec);
  if (ec) return false;
  return Contains(base, parent / p.filename());
}

int CleanDirectory(const std::string& dir, const std::string& subdir, int depth,
                   const std::string& mask, const CleanLimits& limits) {
  if (dir.empty() || depth < 1) return 0;
  fs::path folder(dir);
  if (!subdir.empty()) folder /= fs::path(subdir).relative_path();
  folder = folder.lexically_normal();
  if (!folder.has_filename() && folder.has_parent_path() && folder != folder.root_path()) {
    folder = folder.parent_path();  // "a/b/" names the folder b
  }
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return 0;
  if (!limits.boundary.empty()) {
    // The folder may be reached through a link (the base directory itself may
    // be one), but where it really lies must be inside the boundary.
    const fs::path real = fs::canonical(folder, ec);
    if (ec) return 0;
    const fs::path base = fs::canonical(fs::path(limits.boundary), ec);
    if (ec || !Contains(base, real)) return 0;
  }
  const int matched = Clean(folder, depth, mask, limits, true);
  if (!fs::is_symlink(fs::symlink_status(folder, ec))) fs::remove(folder, ec);  // when empty
  return matched;
}

}  // namespace korvane
