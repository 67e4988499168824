#pragma once
// stelmar.ini: the directories, the program type and the viewer, read once at
// start and written back whole after start and after every settings dialog.

#include <string>

#include "stelmar/core/settings.h"

namespace stelmar {

// $XDG_CONFIG_HOME/Brevik/stelmar.ini (else ~/.config/...); empty without a home folder.
std::string DefaultStelmarIniPath();

// Reads the ten values into settings; a missing or unreadable file leaves the
// defaults. An empty EDITOR becomes the viewer beside the program.
void ReadStelmarIni(const std::string& path, Settings& settings);

// Writes the ten values in their order, keeping whatever else the file holds.
// False when the file could not be written; the old file then stays intact.
bool WriteStelmarIni(const std::string& path, const Settings& settings);

// The viewer started when stelmar.ini names none.
std::string DefaultViewer(const std::string& programDirectory);

}  // namespace stelmar
