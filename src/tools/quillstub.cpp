// The console stub: runs the program it is given with the stub's own standard
// input, output and error, so a tool's console reaches whoever reads the stub,
// and ends with the tool's status (128 + n when signal n ended it).
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/os_error.h"
#include "platform/process.h"
#include "platform/stop_request.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: quillstub <program> [argument...]\n");
    return 2;
  }
  platform::ProcessOptions options;
  options.argv.assign(argv + 1, argv + argc);
  // One group with the tool, so stopping the run reaches both.
  options.ownProcessGroup = false;
  // A stop meant for the stub is passed on; the stub itself ends with the tool.
  platform::CatchStopRequests();

  int error = 0;
  std::unique_ptr<platform::Process> tool = platform::Process::Start(options, error);
  if (!tool) {
    std::fprintf(stderr, "quillstub: %s: %s\n", argv[1], platform::OsErrorMessage(error).c_str());
    return platform::IsMissingProgramError(error) ? 127 : 126;
  }
  bool passedOn = false;
  while (true) {
    if (const auto status = tool->WaitFor(std::chrono::milliseconds(100))) {
      return status->ShellStatus();
    }
    if (platform::StopRequest() != 0 && !passedOn) {
      tool->Terminate();
      passedOn = true;
    }
  }
}
