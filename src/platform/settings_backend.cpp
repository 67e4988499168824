#include "platform/settings_backend.h"

#ifdef _WIN32
#include "platform/registry_settings.h"
#else
#include "platform/ini_file_settings.h"
#include "platform/user_dirs.h"
#endif

namespace platform {

std::unique_ptr<SettingsBackend> CreateUserSettingsBackend() {
#ifdef _WIN32
  return std::make_unique<RegistrySettings>();
#else
  // Without a home folder the backend has nowhere to write: every read then
  // gives nothing and every write fails, which the settings store tolerates.
  return std::make_unique<IniFileSettings>(ConfigHome());
#endif
}

}  // namespace platform
