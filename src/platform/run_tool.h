#pragma once
// Runs a helper program found on PATH with its arguments, directly (never through a
// shell), its output discarded, and waits for it.

#include <string>
#include <vector>

namespace platform {

// False when the program is not there, could not start or did not end with status 0.
bool RunToolAndWait(const std::string& program, const std::vector<std::string>& args);

}  // namespace platform
