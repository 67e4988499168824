#pragma once
// File-level helpers of the job's collection folders: copying a file in,
// deleting one file from a collection without ever leaving it, and the name
// and extension rules used when files are added.

#include <string>
#include <string_view>
#include <unordered_set>

#include "korvane/core/common/outcome.h"

namespace korvane {

class StatusBar;

// The name after the last "/" of a path.
std::string FileNameOf(std::string_view path);
// The extension of a file name from its last "." on, the dot included; empty
// when the name has no ".". A name ending in "." has the extension ".".
std::string ExtensionOf(std::string_view fileName);

// The extensions a dialog filter admits, lower-cased: every ";" and "|" ends an
// item and "*." becomes ".", so "*.cbl;*.cob" gives ".cbl" and ".cob" and "*.*"
// gives ".*", which no file has.
std::unordered_set<std::string> AcceptedExtensions(std::string_view filter);

// Whether a list entry's file name stays inside its collection folder when
// appended to it. Hand-edited jobs may carry anything.
bool IsPlainFileName(std::string_view fileName);

// Whether a file can be kept in a job file's line-based lists, or why not. A list line is
// "{name}={origin}": the name must hold no "=", neither may hold a line break, and a line
// starting with "[" would end its block.
Outcome CheckJobCanHold(std::string_view fileName, std::string_view origin);

// Copies source over destination. A link at the destination is replaced, never
// written through. A failure reports "Error during preparation - " with the
// system's text and ends the operation.
void CopyIntoCollection(const std::string& source, const std::string& destination,
                        StatusBar& status);

// Deletes folder/fileName when the name is plain; a link is removed as a link.
// Failures are ignored: the entry goes from the list either way.
void RemoveCollectionFile(const std::string& folder, std::string_view fileName);

}  // namespace korvane
