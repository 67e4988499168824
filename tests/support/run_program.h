#pragma once
// Runs a program with arguments (no shell), an environment overlay and a
// working directory; collects its exit status and standard error. With a time
// limit the program runs in a session of its own, and everything in that session
// is killed when the limit passes, so a hanging run cannot hold up the tests.

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace korvane::testing {

struct ProgramResult {
  int status = -1;  // exit status, or -1 when it did not exit normally
  std::string out;
  std::string err;
  bool timedOut = false;  // the limit passed and the session was killed
};

// started, when given, learns the process id as soon as the program runs (to signal it
// from another thread while its output is collected here). outFile, when given, takes
// the standard output instead of the result (/dev/full, say).
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env = {},
                         const std::string& workDir = {},
                         std::chrono::milliseconds limit = std::chrono::milliseconds::zero(),
                         const std::function<void(long)>& started = {},
                         const std::string& outFile = {});

}  // namespace korvane::testing
