#pragma once
// The bundled COBOL sample job laid out in a test folder as the sample script builds it,
// and run in headless mode.

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_dir.h"

namespace korvane::testing {

// Copies the sample sources and copy members into <dir>/<baseName> (the job's base
// directory) and writes <dir>/CustBankXml.jwrap naming it; extraLines (each ending in a
// line break) go into the job file after the system name. Returns the job file's path.
std::string MakeSampleJob(const TempDir& dir, const std::string& baseName,
                          const std::string& extraLines = {});

// Runs the job in headless mode with the build's stand-in tools; with autoRun the wrapper
// starts at once (-ar Anal), without it the job is only opened and saved. started learns
// the shell's process id; extraArgs go after the job.
ProgramResult RunJob(const TempDir& dir, const std::string& job,
                     std::map<std::string, std::string> env = {},
                     const std::function<void(long)>& started = {}, bool autoRun = true,
                     const std::vector<std::string>& extraArgs = {});

// The environment of a run whose settings and data stay below home, with more on top.
std::map<std::string, std::string> HomeEnv(const std::filesystem::path& home,
                                           std::map<std::string, std::string> more = {});

// Waits up to a minute for the file to appear; says whether it did.
bool WaitForFile(const std::filesystem::path& file);

// How many of the sample's four sources have their result back under their own name
// in <base>/WrapOut.
int SampleResults(const std::string& base);

}  // namespace korvane::testing
