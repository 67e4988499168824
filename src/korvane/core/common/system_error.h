#pragma once
// The text shown for a failed operating-system call:
// "System Error : <code> - <the system's message>".

#include <string>

namespace korvane {

std::string SystemErrorText(int code);
// The code of the last failed system call on this thread.
int LastSystemError();

}  // namespace korvane
