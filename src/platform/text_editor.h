#pragma once
// The text editor the shell offers for viewing a file outside the window when
// the person has not chosen one: Notepad on Windows, the desktop's editor elsewhere.

#include <string>

namespace platform {

// The desktop's text editor: $VISUAL when it names a program found on the
// PATH, else the first graphical editor found there, else xdg-open; a full
// path when it was found. "NOTEPAD.EXE" on Windows.
std::string DefaultTextEditor();

// The rule itself, over the two environment values, for tests.
std::string ChooseTextEditor(const std::string& visual, const std::string& searchPath);

}  // namespace platform
