#pragma once
// Settings in the Windows registry below HKEY_CURRENT_USER, as REG_SZ values.
// Compiled on Windows only.

#ifdef _WIN32

#include "platform/settings_backend.h"

namespace platform {

class RegistrySettings final : public SettingsBackend {
 public:
  std::optional<std::string> Read(const std::string& key, const std::string& name) override;
  bool Write(const std::string& key, const std::string& name, const std::string& value) override;
  bool Remove(const std::string& key, const std::string& name) override;
};

}  // namespace platform

#endif
