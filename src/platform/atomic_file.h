#pragma once
// Writes a whole file so that readers see either the old or the new content:
// a temporary file in the same folder, flushed, then renamed over the target.

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// Returns an empty string on success, otherwise the operating system's
// message for the failure; the old file is left intact then.
// mode: permission bits for a newly created file (POSIX only); an existing
// file keeps its own permission bits.
std::string WriteFileAtomic(const std::filesystem::path& path, std::string_view content,
                            unsigned mode = 0644);

}  // namespace platform
