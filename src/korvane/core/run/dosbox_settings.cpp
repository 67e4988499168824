#include "korvane/core/run/dosbox_settings.h"

#include <filesystem>

#include "korvane/core/config/configuration_service.h"

namespace korvane {

std::string ConfiguredDosBoxSettings::ConfiguredLocation() const {
  return configuration_.Config().Value("Runcontrol.DOSBoxLocation");
}

std::string ConfiguredDosBoxSettings::ConfigurationFolder() const {
  std::string folder = std::filesystem::path(configuration_.Path()).parent_path().string();
  if (folder.empty()) folder = ".";
  return folder + "/";
}

void ConfiguredDosBoxSettings::RememberLocation(const std::string& path) {
  InsertDosBoxLocation(configuration_.Config(), path);
  configuration_.Save();
  // The text is read back as written; the flags are not applied again.
  configuration_.Load();
}

}  // namespace korvane
