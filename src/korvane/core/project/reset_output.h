#pragma once
// Puts a job back to its initial state: collects the output files the tools and
// the shell left in the base directory, and after confirmation deletes them and
// empties the temporary folders.

#include <string>
#include <vector>

#include "korvane/core/project/project.h"

namespace korvane {

// The confirmation text listing the first files collected.
std::string ResetQuestion(const std::vector<std::string>& files);

// The output files of the job, in the order they are found; files that lie
// outside the base directory once links are resolved are left out.
std::vector<std::string> CollectOutputFiles(Project& project);

// Asks before deleting anything; nothing is asked when nothing was found.
void ResetOutput(Project& project);

}  // namespace korvane
