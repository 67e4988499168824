#include "stelmar/core/help_text.h"

#include <cstdio>

#include "stelmar/core/exit_status.h"
#include "stelmar/core/menu.h"

namespace stelmar {
namespace {

constexpr const char* kSwitches =
    "Usage: stelmar [-Ini PATH] [-Run ID]\n"
    "       stelmar -files SOURCE | -procs SOURCE | -tokens SOURCE\n"
    "       stelmar -h | --help\n"
    "\n"
    "Stelmar prepares PL/I sources for the PL/I wrapper tools. Without a scan\n"
    "switch it opens its window.\n"
    "\n"
    "Window:\n"
    "  -Ini PATH, -I PATH  read and write PATH as stelmar.ini\n"
    "  -Run ID             run the menu command ID once the window is shown\n"
    "\n"
    "Scans, without a window or a display; the names go to standard output:\n"
    "  -files SOURCE       the FILE declarations of the PL/I source, one per line\n"
    "  -procs SOURCE       the procedures of the PL/I source, one per line\n"
    "  -tokens SOURCE      every token: its type code, a tab and its text\n"
    "\n"
    "  -h, --help          print this help and end\n"
    "\n"
    "A value cannot begin with '-': write ./-name for such a file.\n"
    "\n"
    "Menu command ids for -Run:\n";

// A menu text as the person reads it: no '&' marks, no shortcut after the tab.
std::string Plain(const char* text) {
  std::string plain;
  for (const char* c = text; *c != '\0' && *c != '\t'; ++c) {
    if (*c != '&') plain += *c;
  }
  return plain;
}

std::string Trimmed(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string CommandLines() {
  std::string lines;
  for (const MenuItem& item : MainMenu()) {
    if (item.id == 0) continue;
    std::string name =
        item.popup == nullptr ? Plain(item.text) : Plain(item.popup) + " / " + Plain(item.text);
    char line[160];
    std::snprintf(line, sizeof line, "  %5d  %-28s %s\n", item.id, name.c_str(),
                  Trimmed(item.hint).c_str());
    lines += line;
  }
  return lines;
}

std::string ExitStatuses() {
  struct Row {
    int status;
    const char* meaning;
  };
  const Row rows[] = {
      {kExitOk, "success"},
      {kExitUnreadableSource, "the source file of a scan cannot be read"},
      {kExitUsage, "usage error: an unknown switch, a missing value, an unknown -Run id"},
      {kExitWriteError, "standard output could not be written (a full disk, a closed pipe)"},
      {kExitNoDisplay, "no display for the window: set DISPLAY or WAYLAND_DISPLAY"},
  };
  std::string lines = "Exit status:\n";
  for (const Row& row : rows)
    lines += "  " + std::to_string(row.status) + "  " + row.meaning + "\n";
  lines += "Every status but 0 comes with one line on standard error naming the cause.\n";
  return lines;
}

}  // namespace

std::string HelpText(const std::string& iniPath) {
  std::string text = kSwitches;
  text += CommandLines();
  text +=
      "\n"
      "Files:\n"
      "  stelmar.ini  $XDG_CONFIG_HOME/Brevik/stelmar.ini, or ~/.config/Brevik/stelmar.ini\n"
      "               when XDG_CONFIG_HOME is not set; -Ini names another.\n"
      "               This run: ";
  text += iniPath.empty() ? std::string("none, there is no home folder") : iniPath;
  text +=
      "\n"
      "  file.ext     the accepted source extensions, one per line, beside the program\n"
      "\n";
  text += ExitStatuses();
  return text;
}

}  // namespace stelmar
