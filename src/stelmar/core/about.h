#pragma once
// The lines of the About box, from the version values compiled into the program.

#include <map>
#include <string>

namespace stelmar {

struct AboutLines {
  std::string title = "Stelmar";
  std::string version = "Version";  // the line's own text until the values replace it
  std::string legal;
  std::string specialBuild;
};

// The program's version values: ProductName, ProductVersion and, when set,
// LegalCopyright and SpecialBuild.
std::map<std::string, std::string> VersionValues();

// The version line becomes "ProductName Version ProductVersion" only when both
// are present; the others are filled only when present.
AboutLines MakeAboutLines(const std::map<std::string, std::string>& values);

}  // namespace stelmar
