#include "platform/env_expand.h"

#include <cstdlib>

namespace platform {

std::string ExpandVars(
    std::string_view text,
    const std::function<std::optional<std::string>(const std::string&)>& lookup) {
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t open = text.find('%', pos);
    if (open == std::string_view::npos) {
      out.append(text.substr(pos));
      break;
    }
    out.append(text.substr(pos, open - pos));
    const size_t close = text.find('%', open + 1);
    if (close == std::string_view::npos) {
      out.append(text.substr(open));
      break;
    }
    const std::string name(text.substr(open + 1, close - open - 1));
    std::optional<std::string> value;
    if (!name.empty()) value = lookup(name);
    if (value) {
      out += *value;
      pos = close + 1;
    } else {
      // Copy "%NAME" and let the closing "%" open the next reference, so
      // "%unset%PATH%" still expands PATH.
      out.append(text.substr(open, close - open));
      pos = close;
    }
  }
  return out;
}

std::string ExpandEnvVars(std::string_view text) {
  return ExpandVars(text, [](const std::string& name) -> std::optional<std::string> {
    // Names with "=" cannot be variables; getenv would misread them.
    if (name.find('=') != std::string::npos) return std::nullopt;
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
  });
}

}  // namespace platform
