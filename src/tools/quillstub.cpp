// The console stub: runs the program it is given with the stub's own standard
// input, output and error, so a tool's console reaches whoever reads the stub,
// and ends with the tool's status (128 + n when signal n ended it).
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/os_error.h"
#include "platform/process.h"

namespace {

volatile std::sig_atomic_t stopSignal = 0;

void RememberStop(int sig) {
  stopSignal = sig;
}

}  // namespace

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
  struct sigaction action {};
  action.sa_handler = RememberStop;
  sigemptyset(&action.sa_mask);
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &action, nullptr);

  int error = 0;
  std::unique_ptr<platform::Process> tool = platform::Process::Start(options, error);
  if (!tool) {
    std::fprintf(stderr, "quillstub: %s: %s\n", argv[1], platform::OsErrorMessage(error).c_str());
    return error == ENOENT ? 127 : 126;
  }
  bool passedOn = false;
  while (true) {
    if (const auto status = tool->WaitFor(std::chrono::milliseconds(100))) {
      return status->ShellStatus();
    }
    if (stopSignal != 0 && !passedOn) {
      tool->Terminate();
      passedOn = true;
    }
  }
}
