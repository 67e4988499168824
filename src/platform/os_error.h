#pragma once
// The operating system's own words for an error code, and the code of the
// last failed system call on this thread.

#include <string>

namespace platform {

// strerror on POSIX, FormatMessage on Windows; without trailing line breaks.
std::string OsErrorMessage(int code);
// errno on POSIX, GetLastError() on Windows.
int LastOsError();
// The system's name for a signal ("Aborted" for 6 on Linux); empty where there are no
// signals or the number names none.
std::string SignalName(int signal);

}  // namespace platform
