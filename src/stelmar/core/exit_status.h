#pragma once
// The exit statuses of stelmar, one table for every way the program can end.
// Every non-zero status comes with one line on standard error naming its cause.

namespace stelmar {

enum ExitStatus : int {
  kExitOk = 0,
  kExitUnreadableSource = 1,  // the source of a scan cannot be opened
  kExitUsage = 2,             // an unknown switch, a missing value, an unknown -Run id
  kExitWriteError = 3,        // standard output could not be written
  kExitNoDisplay = 4,         // the window has no display to start on
};

}  // namespace stelmar
