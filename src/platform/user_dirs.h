#pragma once
// The user's base folders: home, configuration and data, following the XDG
// base directory rules (a relative XDG value is ignored, as those rules say).

#include <filesystem>
#include <string>

namespace platform {

// $HOME (on Windows %USERPROFILE%); empty when unset, empty or relative.
std::string HomeDirectory();
// $XDG_CONFIG_HOME, else <home>/.config; empty without a home folder.
std::string ConfigHome();
// $XDG_DATA_HOME, else <home>/.local/share; empty without a home folder.
std::string DataHome();

// Creates dir and any missing parents with the given permission bits (POSIX;
// folders that exist keep theirs). True when dir is a directory afterwards.
bool EnsureDirectory(const std::filesystem::path& dir, unsigned mode = 0700);

}  // namespace platform
