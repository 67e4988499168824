#pragma once
// Where the shell may write into and delete from a job's base directory. Only a job that
// loaded completely, or one the person started or pointed at a folder, owns its folder;
// a damaged job file never lets the shell touch anything.

#include <string>

#include "korvane/core/common/outcome.h"

namespace korvane {

enum class FolderTrust {
  Owned,        // a new job, a job that loaded completely, or a folder the person chose
  Unconfirmed,  // the job loaded, but its file named no usable base directory
  Broken,       // the job file did not load completely
};

// Whether a base directory can hold a job's files, or why not. A folder that does not
// exist yet is fine: it is created when needed.
Outcome CheckUsableBase(const std::string& outputDir);

// Whether a collection folder inside the base may be written and deleted through (it is
// a real folder, or it does not exist yet), or why not.
Outcome CheckRealFolder(const std::string& folder);

}  // namespace korvane
