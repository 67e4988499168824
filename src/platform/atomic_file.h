#pragma once
// Writes a whole file so that readers see either the old or the new content:
// a temporary file in the same folder, flushed, then renamed over the target.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Returns an empty string on success, otherwise the operating system's
// message for the failure; the old file is left intact then, and no
// temporary file. mode: permission bits for a newly created file (POSIX
// only); an existing file keeps its own permission bits. When path is a
// symbolic link, the file it leads to is written and the link stays a link;
// a dangling link gets its target created.
std::string WriteFileAtomic(const std::filesystem::path& path, std::string_view content,
                            unsigned mode = 0644);

// Many files written at once with the same promise as WriteFileAtomic: each name
// shows either nothing or the old content until it shows the whole new content.
// The contents are written to temporary files, flushed to disk together once,
// then renamed: a thousand small files cost one flush instead of a thousand.
// Returns an empty string on success; otherwise failedPath names the file and
// the message is the system's, and no temporary file is left. Names renamed
// before the failure keep their new content.
struct AtomicWrite {
  std::filesystem::path path;
  std::string content;
};
// Flushed: as above, the new contents are on disk before any name leads to them.
// RecomputedIfLost: nothing is flushed, for files whose content the program
// writes again when it finds one empty or missing (after a crash the system may
// show a new name with no content yet); a running reader still never sees half.
enum class Durability { Flushed, RecomputedIfLost };
std::string WriteFilesAtomic(const std::vector<AtomicWrite>& files, std::string& failedPath,
                             Durability durability = Durability::Flushed, unsigned mode = 0644);

// The temporary file a save of target uses first: ".<hash of the file
// name>.kvtmp" beside it, short whatever the name's length. It is the same
// for every save, so the leftover of a save that was killed is reused, and
// thereby removed, by the next one.
std::filesystem::path AtomicTempPath(const std::filesystem::path& target);

}  // namespace platform
