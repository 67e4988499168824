#pragma once
// A settings backend that keeps its values in memory, for tests and for runs
// that must not touch the user's real settings.

#include <cstddef>
#include <string>
#include <unordered_map>

#include "platform/settings_backend.h"

namespace platform {

class MemorySettings final : public SettingsBackend {
 public:
  std::optional<std::string> Read(const std::string& key, const std::string& name) override;
  bool Write(const std::string& key, const std::string& name, const std::string& value) override;
  bool Remove(const std::string& key, const std::string& name) override;

  // Number of stored values over all keys.
  size_t Count() const { return values_.size(); }

  // While set, every call fails as an unreachable store would: reads find
  // nothing, writes and removals change nothing and report false.
  bool failing = false;

 private:
  std::unordered_map<std::string, std::string> values_;
};

}  // namespace platform
