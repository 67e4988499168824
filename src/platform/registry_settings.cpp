#ifdef _WIN32

#include "platform/registry_settings.h"

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <vector>

#include "platform/win_text.h"

namespace platform {

namespace {

// The registry takes sub-key paths without leading or trailing backslashes.
std::string SubKey(const std::string& key) {
  size_t first = key.find_first_not_of('\\');
  if (first == std::string::npos) return {};
  size_t last = key.find_last_not_of('\\');
  return key.substr(first, last - first + 1);
}

// Every access opens the key and closes it again; nothing stays open.
class OpenKey {
 public:
  OpenKey(const std::string& key, bool create) {
    const std::wstring sub = Widen(SubKey(key));
    LONG rc;
    if (create) {
      rc = ::RegCreateKeyExW(HKEY_CURRENT_USER, sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &handle_, nullptr);
    } else {
      rc = ::RegOpenKeyExW(HKEY_CURRENT_USER, sub.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                           &handle_);
    }
    if (rc != ERROR_SUCCESS) handle_ = nullptr;
    status_ = rc;
  }
  ~OpenKey() {
    if (handle_ != nullptr) ::RegCloseKey(handle_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;

  HKEY get() const { return handle_; }
  LONG status() const { return status_; }

 private:
  HKEY handle_ = nullptr;
  LONG status_ = ERROR_SUCCESS;
};

}  // namespace

std::optional<std::string> RegistrySettings::Read(const std::string& key, const std::string& name) {
  OpenKey k(key, false);
  if (k.get() == nullptr) return std::nullopt;
  const std::wstring valueName = Widen(name);
  // The value may change between asking for its size and reading it.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = ::RegQueryValueExW(k.get(), valueName.c_str(), nullptr, &type, nullptr, &size);
    if (rc != ERROR_SUCCESS) return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = size;
    rc = ::RegQueryValueExW(k.get(), valueName.c_str(), nullptr, &type,
                            reinterpret_cast<BYTE*>(buffer.data()), &got);
    if (rc == ERROR_MORE_DATA) continue;
    if (rc != ERROR_SUCCESS) return std::nullopt;
    std::wstring value(buffer.data(), got / sizeof(wchar_t));
    // Stored strings normally carry their terminating NUL; some writers omit it.
    while (!value.empty() && value.back() == L'\0') value.pop_back();
    return Narrow(value);
  }
  return std::nullopt;
}

bool RegistrySettings::Write(const std::string& key, const std::string& name,
                             const std::string& value) {
  OpenKey k(key, true);
  if (k.get() == nullptr) return false;
  const std::wstring wide = Widen(value);
  return ::RegSetValueExW(k.get(), Widen(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(wide.c_str()),
                          static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool RegistrySettings::Remove(const std::string& key, const std::string& name) {
  OpenKey k(key, false);
  if (k.get() == nullptr) return k.status() == ERROR_FILE_NOT_FOUND;  // no key, no value
  const LONG rc = ::RegDeleteValueW(k.get(), Widen(name).c_str());
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

}  // namespace platform

#endif
