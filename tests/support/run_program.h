#pragma once
// Runs a program with arguments (no shell), an environment overlay and a
// working directory; collects its exit status and standard error.

#include <map>
#include <string>
#include <vector>

namespace korvane::testing {

struct ProgramResult {
  int status = -1;  // exit status, or -1 when it did not exit normally
  std::string out;
  std::string err;
};

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env = {},
                         const std::string& workDir = {});

}  // namespace korvane::testing
