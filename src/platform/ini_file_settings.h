#pragma once
// Settings kept in INI files, one per product: the key
// "Software\<vendor>\<product>\<section>\" maps to <config>/<vendor>/<product>.ini,
// section [<section>], lines name=value. Used where there is no registry.

#include <filesystem>
#include <string>

#include "platform/settings_backend.h"

namespace platform {

class IniFileSettings final : public SettingsBackend {
 public:
  // configDir: the user's configuration folder; empty means there is none,
  // so nothing can be read or written.
  explicit IniFileSettings(std::filesystem::path configDir);

  std::optional<std::string> Read(const std::string& key, const std::string& name) override;
  bool Write(const std::string& key, const std::string& name, const std::string& value) override;
  bool Remove(const std::string& key, const std::string& name) override;

  // The file holding the values of key; empty when the key does not have the
  // form above or names no usable file.
  std::filesystem::path FileFor(const std::string& key) const;

 private:
  std::filesystem::path configDir_;
};

}  // namespace platform
