#pragma once
// Fixed-length name masks such as "SRC####": "?" stands for any character, "#" for a
// digit, everything else for itself ignoring ASCII case.

#include <string_view>

namespace korvane {

// The name must be at least as long as the mask; without prefixOnly exactly as long.
bool MatchMask(std::string_view name, std::string_view mask, bool prefixOnly);

}  // namespace korvane
