#pragma once
// Whether the window can start: Qt ends the process with an abort when the
// platform it loads finds no display, so the program asks first and ends
// with a message of its own.

#include <functional>
#include <optional>
#include <string>

namespace stelmar {

// The environment as the check reads it: a variable's value, empty when unset.
using Environment = std::function<std::string(const char* name)>;

// Nothing when a display is named or the platform needs none (offscreen,
// minimal, linuxfb, ...); else the cause, one line.
std::optional<std::string> MissingDisplay(const Environment& env);

}  // namespace stelmar
