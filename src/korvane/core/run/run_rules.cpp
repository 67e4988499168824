#include "korvane/core/run/run_rules.h"

#include <array>
#include <cstdio>

namespace korvane {

namespace {

constexpr std::string_view kLastBatch = " Last batch ";

std::string TwoDigits(long long value) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%02lld", value);
  return buffer;
}

}  // namespace

std::string CaptionBase(std::string_view caption) {
  const std::size_t at = caption.rfind(kLastBatch);
  return std::string(at == std::string_view::npos ? caption : caption.substr(0, at));
}

std::string BatchStartedCaption(std::string_view caption, std::chrono::seconds timeOfDay) {
  const long long s = timeOfDay.count() % 86400;
  return CaptionBase(caption) + " Last batch started at: " + TwoDigits(s / 3600) + ":" +
         TwoDigits(s / 60 % 60) + ":" + TwoDigits(s % 60);
}

std::string BatchRuntimeCaption(std::string_view caption, std::chrono::milliseconds runtime) {
  const long long ms = runtime.count() % 86400000;
  char millis[8];
  std::snprintf(millis, sizeof millis, "%03lld", ms % 1000);
  return CaptionBase(caption) + " Last batch runtime: " + TwoDigits(ms / 3600000) + ":" +
         TwoDigits(ms / 60000 % 60) + ":" + TwoDigits(ms / 1000 % 60) + ":" + millis;
}

bool AllowedWhileRunning(std::string_view actionName, std::string_view category) {
  static constexpr std::array<std::string_view, 6> kAllowed = {"ActSaveProject",  "ActCloseAll",
                                                               "ActCancelRun",    "ActSwitchOnLog",
                                                               "ActSwitchOffLog", "ActRename"};
  if (category == "Viewer") return true;
  for (std::string_view allowed : kAllowed) {
    if (actionName == allowed) return true;
  }
  return false;
}

std::string ResultsLine(int written, int renamed) {
  if (written == 0) return "this run wrote no results";
  const std::string count = written == 1 ? "1 result" : std::to_string(written) + " results";
  return "this run wrote " + count + ", " + std::to_string(renamed) + " renamed back";
}

}  // namespace korvane
