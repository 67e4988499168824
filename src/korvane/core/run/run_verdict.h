#pragma once
// What the status bar says when a run has ended: that it completed, that its tool failed
// (which tool, on which source, with which status or signal) or that it was cancelled,
// each with the count of results this run wrote.

#include <string>
#include <string_view>

#include "korvane/core/run/tool_watcher.h"

namespace korvane {

struct RunVerdict {
  bool error = false;  // an error line, else a warning
  std::string text;
};

// The tool as the person knows it: the file name of the command's program part,
// without quotes, folders or a "> file" redirection.
std::string ToolNameOf(std::string_view program);

// "signal 6 (Aborted)"; without the name where the system has none.
std::string SignalText(int signal);

// cancelled: the person stopped the run (whatever the tool then ended with). source
// names the one source of a single-entity run, empty otherwise. A failed tool's line
// comes first, never after a word of completion.
RunVerdict EndOfRunVerdict(const RunEnd& end, bool cancelled, std::string_view tool,
                           std::string_view source, int written, int renamed);

}  // namespace korvane
