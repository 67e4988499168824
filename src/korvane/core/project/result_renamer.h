#pragma once
// Names the numbered results of a run back to their sources: a job opened while its
// run went on has the results that arrived meanwhile renamed before anything is asked.

namespace korvane {

class ResultRenamer {
 public:
  virtual ~ResultRenamer() = default;
  virtual void RenameResults() = 0;
};

}  // namespace korvane
