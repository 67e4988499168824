#pragma once
// Empties a job folder tree: deletes the files whose names fit a mask and
// removes the folders left empty, without ever leaving the job's base
// directory through a symbolic link.

#include <string>
#include <unordered_set>

namespace korvane {

// Whether a file name fits a mask such as "SRC####": the upper-cased name with
// every digit turned into "#" starts with the mask (ignoring case). An empty
// mask fits every name.
bool NameFitsCleanMask(const std::string& fileName, const std::string& mask);

struct CleanLimits {
  // When set, nothing outside this directory (after resolving links) is touched.
  std::string boundary;
  // Files with this extension (compared ignoring case, e.g. ".jwrap") are kept.
  std::string keepExtension;
  // Plain files of these exact names in the folder being cleaned (not below it) are
  // kept: they are about to be written again, and rewriting a file costs less than
  // deleting it and creating a new one (file systems slow down creating files after
  // many deletions).
  const std::unordered_set<std::string>* keepNames = nullptr;
};

// Cleans dir/subdir: nothing when dir is empty, depth < 1 or dir/subdir is not
// a directory. Files fitting mask are deleted; a symbolic link counts as a file
// and only the link is removed; subdirectories are cleaned with depth - 1.
// Afterwards dir/subdir is removed when it is empty. Deletions that fail are
// skipped. Returns the number of files that fitted the mask.
int CleanDirectory(const std::string& dir, const std::string& subdir, int depth,
                   const std::string& mask, const CleanLimits& limits = {});

// Whether path lies in boundary once links in its parent folders are resolved.
// The last component itself is not resolved: removing a link is always safe.
bool LiesWithin(const std::string& path, const std::string& boundary);

}  // namespace korvane
