#include "stelmar/core/display_check.h"

#include <vector>

namespace stelmar {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
    parts.push_back(text.substr(start, at - start));
  parts.push_back(text.substr(start));
  return parts;
}

// The display variable a platform plugin connects through; empty for the
// plugins that draw without one.
const char* DisplayVariable(const std::string& platform) {
  if (platform == "xcb") return "DISPLAY";
  if (platform.rfind("wayland", 0) == 0) return "WAYLAND_DISPLAY";
  return "";
}

}  // namespace

std::optional<std::string> MissingDisplay(const Environment& env) {
  const std::string chosen = env("QT_QPA_PLATFORM");
  if (chosen.empty()) {
    // Qt picks X11 or Wayland by the session; either will do.
    if (!env("DISPLAY").empty() || !env("WAYLAND_DISPLAY").empty()) return std::nullopt;
    return std::string(
        "no display for the window: neither DISPLAY nor WAYLAND_DISPLAY is set "
        "(QT_QPA_PLATFORM=offscreen runs without one)");
  }
  // "wayland;xcb" names candidates tried in turn, "xcb:option" a plugin's options.
  std::string needed;
  for (const std::string& candidate : Split(chosen, ';')) {
    const std::string platform = Split(candidate, ':').front();
    const std::string variable = DisplayVariable(platform);
    if (variable.empty() || !env(variable.c_str()).empty()) return std::nullopt;
    if (!needed.empty()) needed += " or ";
    needed += variable;
  }
  return "no display for the window: QT_QPA_PLATFORM=" + chosen + " needs " + needed;
}

}  // namespace stelmar
