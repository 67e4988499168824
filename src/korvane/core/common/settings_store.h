#pragma once
// The shell's per-user settings: string values below
// "Software\Brevik\<product>\<section>\", where reading a value that is not
// there stores its default, so the store always shows what the shell uses.

#include <stdexcept>
#include <string>

#include "platform/settings_backend.h"

namespace korvane {

// A stored value that cannot be read as the type asked for.
class SettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class SettingsStore {
 public:
  explicit SettingsStore(platform::SettingsBackend& backend);

  void SetSettingsProduct(std::string name);
  // Also names the product after the section while no product is set.
  void SetSettingsSection(std::string name);
  const std::string& Product() const { return product_; }
  const std::string& Section() const { return section_; }
  // "Software\Brevik\<product>\<section>\"
  std::string Key() const;

  // A value that cannot be stored is lost without a word: the settings are a
  // convenience, never a reason to stop the shell.
  void WriteSetting(const std::string& name, const std::string& value);
  // An absent or empty value gives def, which is stored in its place.
  std::string ReadSetting(const std::string& name, const std::string& def = "");
  // True exactly when "1" is stored; an absent value stores def as "1"/"0".
  bool ReadBoolSetting(const std::string& name, bool def = false);
  // The stored decimal text; an absent value stores def. Throws
  // SettingsError for a stored text that is not a decimal integer.
  long long ReadIntSetting(const std::string& name, long long def = 0);
  void WriteBoolSetting(const std::string& name, bool flag);
  void WriteIntSetting(const std::string& name, long long n);

 private:
  // The stored text, or nothing when the value is absent or empty.
  std::string Stored(const std::string& name);

  platform::SettingsBackend& backend_;
  std::string product_;
  std::string section_;
};

}  // namespace korvane
