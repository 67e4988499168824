#pragma once
// What renaming the results after a run found: how many results the run wrote, how
// many of them went back to their sources' names, and each one that could not.

#include <string>
#include <vector>

namespace korvane {

struct RenameOutcome {
  int written = 0;
  int renamed = 0;
  std::vector<std::string> failures;  // one line each, naming the file and the reason
};

}  // namespace korvane
