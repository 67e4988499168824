#pragma once
// Reading the tool configuration file into the configuration lines and writing it back
// with its "Date Written" stamp.

#include <ctime>
#include <string>
#include <vector>

namespace korvane {

class ConfigLocator;
class StatusBar;
class ToolConfiguration;

// The file's lines, bytes kept as stored; CR LF, CR and LF all end a line. Throws FileError
// when the file cannot be read.
std::vector<std::string> LoadConfigurationLines(const std::string& path);

struct ConfigLoadResult {
  bool ok = false;
  // The configuration file's path; when no file was found, the path the locator kept
  // (empty if it could not decide one).
  std::string path;
  // The operating system's reason when the file could not be read.
  std::string error;
};

// Finds and reads the configuration into config. When no file exists the locator has
// already put "No ini file is available for Korvane" into the status bar's list; the caller
// then disables the shell and ends the start with "Cannot access product ini file - " +
// path, so that both messages are listed. config is left as it was on failure.
ConfigLoadResult LoadToolConfiguration(ConfigLocator& locator, ToolConfiguration& config,
                                       StatusBar& status);

// Stamps "Date Written" with now in the user's locale (inserting "Date Written=0" as the
// second line first when the key has no value) and writes every line followed by CR LF,
// replacing the file only once the new content is complete. When the file cannot be
// written the status bar switches to message boxes for good and the operation ends with
// "Cannot write to " + path; the old file stays as it was.
void SaveToolConfiguration(ToolConfiguration& config, const std::string& path, StatusBar& status,
                           std::time_t now);

}  // namespace korvane
