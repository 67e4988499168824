#pragma once
// Small rules of a background run: the "Last batch" part of the main window's
// caption, and which actions may run while a run is active.

#include <chrono>
#include <string>
#include <string_view>

namespace korvane {

// The caption up to its last " Last batch ", or all of it when it has none.
std::string CaptionBase(std::string_view caption);
// base + " Last batch started at: " + hh:nn:ss of the time of day.
std::string BatchStartedCaption(std::string_view caption, std::chrono::seconds timeOfDay);
// base + " Last batch runtime: " + hh:nn:ss:zzz of the run time (hours of a day).
std::string BatchRuntimeCaption(std::string_view caption, std::chrono::milliseconds runtime);

// How many results a run wrote and how many went back to their sources' names.
std::string ResultsLine(int written, int renamed);

// While a run is active only viewer actions and these may run: ActSaveProject,
// ActCloseAll, ActCancelRun, ActSwitchOnLog, ActSwitchOffLog, ActRename.
bool AllowedWhileRunning(std::string_view actionName, std::string_view category);
inline constexpr std::string_view kRefusedWhileRunning =
    "Only viewing,Save,Cancel & Exit are allowed when processing";

}  // namespace korvane
