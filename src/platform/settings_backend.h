#pragma once
// Per-user string values addressed like registry values: a key such as
// "Software\Brevik\<product>\<section>\" and a value name inside it.

#include <memory>
#include <optional>
#include <string>

namespace platform {

class SettingsBackend {
 public:
  virtual ~SettingsBackend() = default;

  // nullopt when the value does not exist or cannot be read. Value names are
  // compared ignoring ASCII case, as the registry does.
  virtual std::optional<std::string> Read(const std::string& key, const std::string& name) = 0;
  // Creates the key when needed; false when the value could not be stored.
  virtual bool Write(const std::string& key, const std::string& name, const std::string& value) = 0;
  // True when the value no longer exists afterwards.
  virtual bool Remove(const std::string& key, const std::string& name) = 0;
};

// The registry on Windows; elsewhere INI files below the user's configuration
// folder ($XDG_CONFIG_HOME, by default ~/.config).
std::unique_ptr<SettingsBackend> CreateUserSettingsBackend();

}  // namespace platform
