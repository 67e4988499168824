#include "platform/text_editor.h"

#include <unistd.h>

#include <cstdlib>

namespace platform {

namespace {

// The full path of an executable program on the search path, empty if none.
std::string FindOnPath(const std::string& program, const std::string& searchPath) {
  if (program.empty()) return {};
  if (program.find('/') != std::string::npos) {
    return access(program.c_str(), X_OK) == 0 ? program : std::string();
  }
  size_t start = 0;
  while (start <= searchPath.size()) {
    size_t end = searchPath.find(':', start);
    if (end == std::string::npos) end = searchPath.size();
    const std::string dir = searchPath.substr(start, end - start);
    if (!dir.empty()) {
      const std::string candidate = dir + "/" + program;
      if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    start = end + 1;
  }
  return {};
}

}  // namespace

std::string ChooseTextEditor(const std::string& visual, const std::string& searchPath) {
  if (std::string found = FindOnPath(visual, searchPath); !found.empty()) return found;
  for (const char* editor : {"gedit", "gnome-text-editor", "kate", "kwrite", "mousepad", "xed",
                             "pluma", "featherpad", "leafpad"}) {
    if (std::string found = FindOnPath(editor, searchPath); !found.empty()) return found;
  }
  if (std::string found = FindOnPath("xdg-open", searchPath); !found.empty()) return found;
  return "xdg-open";
}

std::string DefaultTextEditor() {
#ifdef _WIN32
  return "NOTEPAD.EXE";
#else
  const char* visual = std::getenv("VISUAL");
  const char* path = std::getenv("PATH");
  return ChooseTextEditor(visual != nullptr ? visual : "", path != nullptr ? path : "");
#endif
}

}  // namespace platform
