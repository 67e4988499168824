#pragma once
// Where the program is, where the user keeps documents, and the operating
// system's spelling of a directory path.

#include <string>

namespace platform {

// Full path of the running executable; empty when it cannot be found out.
std::string ProgramPath();
// The folder of ProgramPath(), without a trailing separator.
std::string ProgramDirectory();

// The user's documents folder: the XDG documents directory when it is
// configured and exists, else <home>/Documents when it exists, else the home
// folder; empty without a home folder. On Windows the shell's "My Documents".
std::string DocumentsFolder();
inline std::string PersonalFolder() {
  return DocumentsFolder();
}

// Replaces dir by the system's short form of the path (8.3 names on Windows,
// the path itself elsewhere). When the directory does not exist dir becomes
// empty and message "Directory doesn't exist"; returns whether message is set.
bool ShortDirectoryPath(std::string& dir, std::string& message);

// What a program's file name ends in: ".exe" on Windows, nothing elsewhere.
inline constexpr const char* ExecutableSuffix() {
#ifdef _WIN32
  return ".exe";
#else
  return "";
#endif
}

}  // namespace platform
