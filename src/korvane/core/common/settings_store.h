#pragma once
// The shell's per-user settings: string values below
// "Software\Brevik\<product>\<section>\", where reading a value that is not
// there stores its default, so the store always shows what the shell uses.

#include <set>
#include <string>
#include <vector>

#include "platform/settings_backend.h"

namespace korvane {

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
  // The stored decimal text; an absent value stores def. A stored text that
  // is not a decimal integer gives def too, but is left as it is (the next
  // write repairs it) and noted for TakeProblems.
  long long ReadIntSetting(const std::string& name, long long def = 0);
  void WriteBoolSetting(const std::string& name, bool flag);
  void WriteIntSetting(const std::string& name, long long n);

  // Messages about stored values that could not be used, each setting named
  // once however often it is read; the list is empty afterwards.
  std::vector<std::string> TakeProblems();

 private:
  // The stored text, or nothing when the value is absent or empty.
  std::string Stored(const std::string& name);

  platform::SettingsBackend& backend_;
  std::string product_;
  std::string section_;
  std::vector<std::string> problems_;
  std::set<std::string> reported_;
};

}  // namespace korvane
