#pragma once
// Writing and making the files and folders the preparation owns under the job base
// directory without ever writing through a symbolic link: a link found in their place is
// removed, never followed.

#include <string>
#include <vector>

#include "korvane/core/common/outcome.h"

namespace korvane {

// Removes a symbolic link at path (only the link); true when one was there.
bool DropLink(const std::string& path);

// Makes path a real folder: a link in its place is removed first. Parent folders are
// created as needed.
void MakeRealDirectory(const std::string& path);

// Writes lines with CR LF through a temporary file renamed over path, a link at path
// removed first. A failure says the system's message.
Outcome WriteOwnedFile(const std::string& path, const std::vector<std::string>& lines);

// Writes lines with CR LF straight into path, a link at path removed first. For the tools'
// scratch input, rebuilt from scratch by every preparation: a half-written file after a
// crash is deleted by the next one, so it is not worth a flush to disk per file.
Outcome WriteScratchFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace korvane
