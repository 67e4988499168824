#pragma once
// The word lists' view of the real project: changing them marks the job modified.

#include "korvane/core/project/project.h"
#include "korvane/core/wordlist/word_lists.h"

namespace korvane {

class ProjectWordListJob : public WordListJob {
 public:
  explicit ProjectWordListJob(Project& project) : project_(project) {}
  void SetModified() override { project_.SetModified(true); }

 private:
  Project& project_;
};

}  // namespace korvane
