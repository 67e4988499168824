#pragma once
// ASCII-only case folding for names the operating system compares without
// case (registry keys and values, version keys, file extensions).

#include <string>
#include <string_view>

namespace platform {

std::string AsciiLower(std::string_view text);
bool AsciiEqualNoCase(std::string_view a, std::string_view b);

}  // namespace platform
