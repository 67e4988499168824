#pragma once
// The program's version strings (file and product version, names, copyright),
// compiled into the program by the build.

#include <string>
#include <string_view>

namespace korvane {

// FileVersion, ProductVersion, ProductName, FileDescription, LegalCopyright,
// CompanyName, InternalName, OriginalFilename (names compared ignoring case);
// empty for any other key.
std::string GetVersionValue(std::string_view key);

}  // namespace korvane
