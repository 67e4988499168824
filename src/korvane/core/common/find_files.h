#pragma once
// Collects the files of a directory tree that match a name pattern and an extension list,
// as used when whole directories are added to a job.

#include <string>
#include <vector>

namespace korvane {

// Appends the full paths of matching files below dir/subdir to list, in the order the
// directories are enumerated (subdirectories searched where they are met).
//
// depth: levels searched, 1 = only this directory, 0 = nothing, -1 = unlimited.
// pattern: "" or "*" matches all; otherwise compared with the full name or the base name
//   (ignoring case), with a leading "*" as "ends with", a trailing "*" as "starts with",
//   both as "contains", or as a MatchMask() mask ("?" any character, "#" a digit).
// extensions: dotted extensions each followed by ";" (".cbl;.cpy;") searched as text, so a
//   dialog filter with "|" turned into ";" works too; "*.*;" admits every file, ".;" the
//   files without extension.
//
// Names beginning with "." are neither listed nor entered. Only regular files are listed
// (a link to one counts); a link to a directory is never followed. A missing or
// unreadable directory contributes nothing.
void FindFiles(const std::string& dir, const std::string& subdir, std::string pattern, int depth,
               std::vector<std::string>& list, const std::string& extensions);

}  // namespace korvane
