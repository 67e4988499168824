#pragma once
// file.ext beside the program: one accepted source extension per line.

#include <string>

#include "stelmar/core/settings.h"

namespace stelmar {

// Each line, read in pieces of at most 159 characters, gives the piece up to its
// line end or its first three characters; an empty line gives the empty extension
// (files without one). At most 100 entries; a missing file gives none.
ExtensionTable ReadFileExt(const std::string& programDirectory);

}  // namespace stelmar
