#pragma once
// What "stelmar --help" prints: the switches, the command ids -Run takes,
// where stelmar.ini and file.ext are read from, and the exit statuses.

#include <string>

namespace stelmar {

// iniPath is the stelmar.ini this run would use (empty: there is none).
std::string HelpText(const std::string& iniPath);

}  // namespace stelmar
