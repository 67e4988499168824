#pragma once
// Runs a program with arguments (no shell), an environment overlay and a
// working directory; collects its exit status and standard error.

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace korvane::testing {

struct ProgramResult {
  int status = -1;  // exit status, or -1 when it did not exit normally
  std::string out;
  std::string err;
};

// started, when given, learns the process id as soon as the program runs (to signal it
// from another thread while its output is collected here).
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env = {},
                         const std::string& workDir = {},
                         const std::function<void(long)>& started = {});

}  // namespace korvane::testing
