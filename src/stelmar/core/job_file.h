#pragma once
// The job parameter file each tool command writes into WORK_DIR: named after the
// time of day, holding the settings in INI form for the tool to read.

#include <string>
#include <vector>

#include "stelmar/core/settings.h"

namespace stelmar {

struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int hundredths = 0;
};

TimeOfDay CurrentTimeOfDay();

// WORK_DIR, a separator and the digits of "%2d%2d%2d%2d" of the time (blanks
// dropped): 09:05:03.07 gives "9537", 12:34:56.78 gives "12345678".
std::string JobFilePath(const std::string& workDir, const TimeOfDay& time);

// Replaces the file's content atomically; a symbolic link is never written through.
bool WriteJobFile(const std::string& path, const std::string& text);

// Creates the file empty (emptying an existing one). False when that fails or
// when the name is a symbolic link, which is never written through.
bool CreateEmptyJobFile(const std::string& path);

// The three sections with the current settings, CR LF line ends.
std::string JobParameterSections(const Settings& settings);

// Appends the sections to what the file holds (the include list, or nothing).
bool WriteJobParameters(const std::string& path, const Settings& settings);

// The include-expansion list: each name with its first 12 characters upper-cased,
// one per line, then "EOF".
std::string IncludeList(const std::vector<std::string>& names);

}  // namespace stelmar
