#pragma once
// Bringing the job's collection folders and its file lists back in line: files no list
// claims are deleted, entries whose files are gone are dropped, and label files are
// checked against the wrapping types (and created where a type needs only a default).

#include <string>
#include <vector>

#include "korvane/core/components/lists.h"

namespace korvane {

struct JobDirectories {
  CheckList& sources;       // CheckListBoxSelectedFiles
  CheckList& copies;        // CheckListBoxUsedCopies
  StringListHolder& marks;  // StLHWrapperMarks
  bool copiesTabShown;      // TabSheetUsedCopies is visible (not in interface mode)
  std::string base;         // job base directory, without a trailing "/"
  // Set when an entry or a mark was changed or dropped.
  bool* modified = nullptr;
  // Collection folders that are symbolic links are left alone, their lists as they are;
  // their messages are added here when set.
  std::vector<std::string>* refusedFolders = nullptr;
  // Sources dropped because their collection copy is gone, by name, when set.
  std::vector<std::string>* droppedSources = nullptr;
  // Sources whose own names hold "=": their lines split at that "=", so the list never
  // names their copies. Copy and entry are kept as they are and the names given here.
  std::vector<std::string>* unholdableSources = nullptr;
};

// Returns false when something had to be withdrawn from the job: a copy file that no
// copies entry claims, or a checked file or procedure source without a fitting label
// file; and when a checked source's name holds "=". Deletions never follow a symbolic link and
// failed deletions are ignored. Throws FileError when a needed label file cannot be written.
bool SynchronizeJobDirectories(const JobDirectories& job);

}  // namespace korvane
