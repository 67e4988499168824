#pragma once
// An environment variable set for one scope, for code that reads the
// environment; private folders come from support/temp_dir.h.

#include <cstdlib>
#include <optional>
#include <string>

#include "support/temp_dir.h"

namespace platform_test {

// Sets (or with nullopt unsets) a variable and restores the old state.
class ScopedEnv {
 public:
  ScopedEnv(std::string name, const std::optional<std::string>& value) : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) old_ = old;
    Set(value);
  }
  ~ScopedEnv() { Set(old_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void Set(const std::optional<std::string>& value) {
#ifdef _WIN32
    // An empty value removes the variable there.
    ::_putenv_s(name_.c_str(), value ? value->c_str() : "");
#else
    value ? ::setenv(name_.c_str(), value->c_str(), 1) : ::unsetenv(name_.c_str());
#endif
  }
  std::string name_;
  std::optional<std::string> old_;
};

}  // namespace platform_test
