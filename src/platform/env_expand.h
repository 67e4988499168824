#pragma once
// Expansion of %NAME% environment references in paths and command lines,
// with the rules of the Windows routine so configurations read the same
// everywhere.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// A reference to an unset variable stays as written, "%%" stays "%%", and a
// "%" without a closing one is copied unchanged.
std::string ExpandEnvVars(std::string_view text);

// The same with another source of values (nullopt: not set).
std::string ExpandVars(std::string_view text,
                       const std::function<std::optional<std::string>(const std::string&)>& lookup);

}  // namespace platform
