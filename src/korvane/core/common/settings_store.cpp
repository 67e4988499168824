#include "korvane/core/common/settings_store.h"

#include <charconv>
#include <utility>

namespace korvane {

SettingsStore::SettingsStore(platform::SettingsBackend& backend) : backend_(backend) {}

void SettingsStore::SetSettingsProduct(std::string name) {
  product_ = std::move(name);
}

void SettingsStore::SetSettingsSection(std::string name) {
  if (product_.empty()) product_ = name;
  section_ = std::move(name);
}

std::string SettingsStore::Key() const {
  return "Software\\Brevik\\" + product_ + "\\" + section_ + "\\";
}

void SettingsStore::WriteSetting(const std::string& name, const std::string& value) {
  backend_.Write(Key(), name, value);
}

std::string SettingsStore::Stored(const std::string& name) {
  return backend_.Read(Key(), name).value_or(std::string());
}

std::string SettingsStore::ReadSetting(const std::string& name, const std::string& def) {
  std::string value = Stored(name);
  if (!value.empty()) return value;
  WriteSetting(name, def);
  return def;
}

bool SettingsStore::ReadBoolSetting(const std::string& name, bool def) {
  const std::string value = Stored(name);
  if (!value.empty()) return value == "1";
  WriteBoolSetting(name, def);
  return def;
}

long long SettingsStore::ReadIntSetting(const std::string& name, long long def) {
  const std::string value = Stored(name);
  if (value.empty()) {
    WriteIntSetting(name, def);
    return def;
  }
  // Blanks around the number are tolerated, as a hand edit may leave them;
  // anything else, or a number too big to hold, is not a number.
  const size_t first = value.find_first_not_of(' ');
  const size_t last = value.find_last_not_of(' ');
  const char* begin = value.data() + (first == std::string::npos ? value.size() : first);
  const char* end = value.data() + (last == std::string::npos ? value.size() : last + 1);
  bool valid = begin != end;
  if (valid && *begin == '+') {
    ++begin;
    valid = begin != end && *begin != '-';
  }
  long long n = 0;
  const auto [stop, ec] = std::from_chars(begin, end, n);
  if (valid && ec == std::errc() && stop == end) return n;
  // A broken value must not stop the shell; nothing is stored, so the value
  // stays visible until the shell writes its own.
  if (reported_.insert(name).second) {
    problems_.push_back("The stored setting " + name + " ('" + value +
                        "') is not a number; the default " + std::to_string(def) + " is used");
  }
  return def;
}

std::vector<std::string> SettingsStore::TakeProblems() {
  return std::exchange(problems_, {});
}

void SettingsStore::WriteBoolSetting(const std::string& name, bool flag) {
  WriteSetting(name, flag ? "1" : "0");
}

void SettingsStore::WriteIntSetting(const std::string& name, long long n) {
  WriteSetting(name, std::to_string(n));
}

}  // namespace korvane
