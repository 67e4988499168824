#pragma once
// For the small helper programs (console stub, batch runner): a request to stop
// (SIGTERM, SIGINT, SIGHUP; Ctrl+C, Ctrl+Break or a closed console on Windows)
// is remembered instead of ending the helper, which passes it on to its tool.

namespace platform {

// Installs the handlers; call once at the start.
void CatchStopRequests();
// 0, or the number of the signal that asked to stop (SIGINT for the console's
// events on Windows).
int StopRequest();

// Whether a start error means the program is not there (the shell's status 127).
bool IsMissingProgramError(int error);

}  // namespace platform
