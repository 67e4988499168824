#pragma once
// Where an installed program finds what the package puts beside it: helper programs under
// <prefix>/lib/korvane and shared data under <prefix>/share/korvane, both reached from the
// program's own folder so that the installation can move as a whole. A build tree keeps the
// helpers beside the program; that place is looked at first.

#include <string>
#include <string_view>

namespace platform {

// The helper program `name` for a program living in programDir: beside the program when it
// is there, else in the installed helper folder when it is there, else the path beside the
// program (so that a message about a missing helper names the place of a build tree).
std::string HelperProgramPath(const std::string& programDir, std::string_view name);

// The installed helper folder for a program in programDir: <programDir>/../lib/korvane,
// resolved.
std::string InstalledHelperDirectory(const std::string& programDir);

// The installed data folder for a program in programDir: <programDir>/../share/korvane,
// resolved.
std::string InstalledDataDirectory(const std::string& programDir);

}  // namespace platform
