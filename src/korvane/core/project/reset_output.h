#pragma once
// Puts a job back to its initial state: collects the output files the tools and
// the shell left in the base directory, and after confirmation deletes them and
// empties the temporary folders.

#include <string>
#include <vector>

#include "korvane/core/project/project.h"

namespace korvane {

// The confirmation text: the count and every file that will go, then the shell's own
// work folders that are emptied with them.
std::string ResetQuestion(const std::vector<std::string>& files);

// The output files of the job, in the order they are found; files that lie
// outside the base directory once links are resolved are left out. dirDepth is the
// product's directory depth (99 counts as 1).
std::vector<std::string> CollectOutputFiles(Project& project, int dirDepth);

// Asks before deleting anything; nothing is asked when nothing was found. Yes deletes
// exactly the files listed plus the shell's own work files (Frames, Workinp, Work);
// every other file of the base directory stays. inputWorkDir: the tools' input work
// folder when one is set, else empty.
void ResetOutput(Project& project, int dirDepth, const std::string& inputWorkDir = {});

}  // namespace korvane
