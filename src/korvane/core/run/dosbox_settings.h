#pragma once
// DOSBox mode's view of the tool configuration: the configured DOSBox location, the
// configuration file's folder (where the template lives), and remembering a location
// the person picked by writing it into the file.

#include "korvane/core/run/dosbox_mode.h"

namespace korvane {

class ConfigurationService;

class ConfiguredDosBoxSettings : public DosBoxSettings {
 public:
  explicit ConfiguredDosBoxSettings(ConfigurationService& configuration)
      : configuration_(configuration) {}

  std::string ConfiguredLocation() const override;
  std::string ConfigurationFolder() const override;
  void RememberLocation(const std::string& path) override;

 private:
  ConfigurationService& configuration_;
};

}  // namespace korvane
