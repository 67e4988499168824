#pragma once
// Adding files to the job's two lists: by the file dialog, whole directory trees and
// drops, each file copied into its collection folder, names the job format cannot hold
// refused.

#include <string>
#include <unordered_set>
#include <vector>

#include "korvane/core/components/lists.h"
#include "korvane/core/form/window_context.h"
#include "korvane/core/sources/source_target.h"
#include "korvane/core/sources/sources_job.h"

namespace korvane {

class SourceLists;

class SourceAdding {
 public:
  explicit SourceAdding(SourceLists& lists);

  void AddFiles();
  void AddFilesToSources();
  void AddFilesToCopies();
  void AddDirectories();
  void AddDirectoryToSources();
  void AddDirectoryToCopies();
  // Files and directories dropped on one of the add buttons or list panels; folders are
  // searched depth levels deep (-1: the whole tree, as a drop does).
  void DropFiles(const std::string& target, const std::vector<std::string>& paths, int depth = -1);
  void AddDirectoryTree(const std::string& directory, bool quiet, int depth = -1);
  // Set while a directory tree is being added: closing the window must wait.
  bool Busy() const { return busy_; }

 private:
  void CreateCollection(const ListTarget& target);
  std::string FilterOf(const ListTarget& target);
  // Copies one file in and adds its entry; false when it was skipped. Without an
  // accepted list every extension is taken (the tree search filtered).
  bool AddOneFile(const ListTarget& target, const std::string& path, bool first,
                  const std::unordered_set<std::string>* accepted);
  void FinishAdding(const ListTarget& target);

  SourceLists& lists_;
  WindowContext& context_;
  SourcesJob& job_;
  StringListHolder& marks_;
  bool busy_ = false;
};

}  // namespace korvane
