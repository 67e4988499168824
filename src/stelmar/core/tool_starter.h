#pragma once
// Starts the wrapper tools and the viewer without waiting for them.

#include <string>
#include <vector>

namespace stelmar {

class ToolStarter {
 public:
  virtual ~ToolStarter() = default;
  // argv[0] is the program's path. A tool that cannot be started is not reported.
  virtual void Start(const std::vector<std::string>& argv) = 0;
};

// Real processes, never through a shell. Children that ended are collected on
// every start and whenever Reap is called, so none stays a zombie.
class ProcessStarter : public ToolStarter {
 public:
  void Start(const std::vector<std::string>& argv) override;
  void Reap();
  // Children started and not yet collected.
  std::size_t Running() const { return pids_.size(); }

 private:
  std::vector<long> pids_;
};

}  // namespace stelmar
