#pragma once
// Where the shell may write into and delete from a job's base directory. Only a job that
// loaded completely, or one the person started or pointed at a folder, owns its folder;
// a damaged job file never lets the shell touch anything.

#include <string>

namespace korvane {

enum class FolderTrust {
  Owned,        // a new job, a job that loaded completely, or a folder the person chose
  Unconfirmed,  // the job loaded, but its file named no usable base directory
  Broken,       // the job file did not load completely
};

// Why a base directory cannot hold a job's files; empty when it can. A folder that does
// not exist yet is fine: it is created when needed.
std::string UnusableBaseReason(const std::string& outputDir);

// Why a collection folder inside the base must not be written or deleted through; empty
// when it may (it is a real folder, or it does not exist yet).
std::string LinkedFolderReason(const std::string& folder);

}  // namespace korvane
