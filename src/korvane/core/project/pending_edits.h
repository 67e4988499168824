#pragma once
// Changes a service holds outside the job's state until the job is saved (marks on an
// open marker page): the save question counts them as changes of the job.

namespace korvane {

class PendingEdits {
 public:
  virtual ~PendingEdits() = default;
  virtual bool HasPendingEdits() const = 0;
};

}  // namespace korvane
