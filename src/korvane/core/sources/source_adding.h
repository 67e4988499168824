#pragma once
// Adding files to the job's two lists: by the file dialog, whole directory trees and
// drops, each file copied into its collection folder, names the job format cannot hold
// refused.

#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "korvane/core/common/pacer.h"
#include "korvane/core/common/stepped_loop.h"
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
  // Set while a directory tree is being added, also between its steps: closing the
  // window must wait.
  bool Busy() const { return run_ != nullptr; }
  // With a poster, the files of a tree or a drop are added in steps between the person's
  // events; without one they are added at once.
  void SetStepPoster(SteppedLoop::Poster post) { loop_.SetPoster(std::move(post)); }

 private:
  void CreateCollection(const ListTarget& target);
  std::string FilterOf(const ListTarget& target);
  // Copies one file in and adds its entry; false when it was skipped. Without an
  // accepted list every extension is taken (the tree search filtered).
  bool AddOneFile(const ListTarget& target, const std::string& path, bool first,
                  const std::unordered_set<std::string>* accepted);
  void FinishAdding(const ListTarget& target);

  // The files of a tree or a drop on their way into one list. Each searched folder is
  // finished as it ends, as if added on its own; the files dropped loose at the end.
  struct Pending {
    std::string path;  // empty: the end of a searched folder
    bool first;        // its folder is remembered for the next file dialog
    bool filtered;     // a dropped file: its extension must be one the list takes
  };
  struct AddRun {
    explicit AddRun(ListTarget target) : target(std::move(target)) {}
    ListTarget target;
    std::vector<Pending> files;
    std::unordered_set<std::string> accepted;
    size_t next = 0;
    int start = 0;             // the progress bar's position before the first file
    bool folderAdded = false;  // since the current folder began
    bool looseAdded = false;   // of the files dropped loose
    Pacer pacer;
  };
  void SearchFolder(AddRun& run, const std::string& directory, bool quiet, int depth);
  void BeginAdding(std::unique_ptr<AddRun> run);
  bool AddSome(bool paced);
  void EndAdding(bool completed);

  SourceLists& lists_;
  WindowContext& context_;
  SourcesJob& job_;
  StringListHolder& marks_;
  std::unique_ptr<AddRun> run_;
  SteppedLoop loop_;
};

}  // namespace korvane
