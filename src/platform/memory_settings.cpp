#include "platform/memory_settings.h"

#include "platform/ascii_case.h"

namespace platform {

namespace {

// Keys and names are case-insensitive; a NUL cannot occur in either, so it
// separates them unambiguously.
std::string Slot(const std::string& key, const std::string& name) {
  std::string slot = AsciiLower(key);
  slot.push_back('\0');
  slot += AsciiLower(name);
  return slot;
}

}  // namespace

std::optional<std::string> MemorySettings::Read(const std::string& key, const std::string& name) {
  if (failing) return std::nullopt;
  const auto it = values_.find(Slot(key, name));
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

bool MemorySettings::Write(const std::string& key, const std::string& name,
                           const std::string& value) {
  if (failing) return false;
  values_[Slot(key, name)] = value;
  return true;
}

bool MemorySettings::Remove(const std::string& key, const std::string& name) {
  if (failing) return false;
  values_.erase(Slot(key, name));
  return true;
}

}  // namespace platform
