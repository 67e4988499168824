#pragma once
// The system's spelling of a local absolute path, for rules that refuse
// relative and network paths: a drive letter and colon on Windows ("C:"), a
// single "/" elsewhere ("//host" is a network path there).

#include <string_view>

namespace platform {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

inline bool IsLocalRootedPath(std::string_view text) {
#ifdef _WIN32
  const bool letter = text.size() >= 2 &&
                      ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
  return letter && text[1] == ':';
#else
  return !text.empty() && text[0] == '/' && (text.size() == 1 || text[1] != '/');
#endif
}

}  // namespace platform
