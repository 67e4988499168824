#include "stelmar/core/about.h"

namespace stelmar {

std::map<std::string, std::string> VersionValues() {
  return {{"ProductName", "Stelmar"}, {"ProductVersion", "1.0"}};
}

AboutLines MakeAboutLines(const std::map<std::string, std::string>& values) {
  AboutLines lines;
  const auto name = values.find("ProductName");
  const auto version = values.find("ProductVersion");
  if (name != values.end() && version != values.end())
    lines.version = name->second + " " + lines.version + " " + version->second;
  if (auto it = values.find("LegalCopyright"); it != values.end()) lines.legal = it->second;
  if (auto it = values.find("SpecialBuild"); it != values.end()) lines.specialBuild = it->second;
  return lines;
}

}  // namespace stelmar
