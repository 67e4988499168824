// The batch runner of the Windows build: a ".cmd" file is the command
// interpreter's own language there, so the file is handed to it (through the
// platform's start, which calls cmd.exe by its full path with /d) and the
// runner ends with its status. Cancelling ends the runner's job object, and
// with it the interpreter and the tools.
#include <cstdio>
#include <memory>

#include "platform/os_error.h"
#include "platform/process.h"
#include "platform/stop_request.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: korvane-batch-runner <file.cmd>\n");
    return 2;
  }
  platform::CatchStopRequests();
  platform::ProcessOptions options;
  options.argv = {argv[1]};
  options.ownProcessGroup = false;
  int error = 0;
  std::unique_ptr<platform::Process> batch = platform::Process::Start(options, error);
  if (!batch) {
    std::fprintf(stderr, "%s: %s\n", argv[1], platform::OsErrorMessage(error).c_str());
    return platform::IsMissingProgramError(error) ? 127 : 126;
  }
  const auto status = batch->WaitFor(std::chrono::milliseconds(-1));
  return status ? status->ShellStatus() : 1;
}
