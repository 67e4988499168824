#pragma once
// The sample job set up in a temporary folder as the sample script builds it, and run
// in headless mode with the stand-in tools of the build's tool root.

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>

#include "support/run_program.h"
#include "support/temp_dir.h"

namespace korvane::testing {

// The sample job copied into dir as the sample script builds it; its base directory
// holds a blank and shell metacharacters, which must reach the tools untouched.
inline std::string MakeSampleJob(const TempDir& dir, const std::string& baseName) {
  namespace fs = std::filesystem;
  const fs::path samples = fs::path(KORVANE_SAMPLES) / "jobs/cobol";
  const fs::path base = dir.Path() / baseName;
  fs::create_directories(base / "SourceCollection");
  fs::create_directories(base / "CopyCollection");
  for (const auto& entry : fs::directory_iterator(samples)) {
    if (entry.path().extension() == ".cbl") {
      fs::copy_file(entry.path(), base / "SourceCollection" / entry.path().filename());
    }
  }
  for (const auto& entry : fs::directory_iterator(samples / "copylib")) {
    fs::copy_file(entry.path(), base / "CopyCollection" / entry.path().filename());
  }
  std::ifstream in(samples / "Customer.jwrap.in", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::string job = text.str();
  // The template's job folder holds "out" as the base directory.
  for (const auto& [mark, value] :
       {std::pair<std::string, std::string>{"@JOBDIR@/out", base.string()},
        {"@JOBDIR@", dir.Path().string()},
        {"@SAMPLES@", KORVANE_SAMPLES}}) {
    for (size_t at; (at = job.find(mark)) != std::string::npos;)
      job.replace(at, mark.size(), value);
  }
  return dir.Write("CustBankXml.jwrap", job);
}

inline ProgramResult RunJob(const TempDir& dir, const std::string& job,
                            std::map<std::string, std::string> env = {},
                            const std::function<void(long)>& started = {}, bool autoRun = true) {
  const std::string root = KORVANE_TOOLROOT;
  env["HOME"] = dir.Path().string();
  env["XDG_CONFIG_HOME"] = dir / "config";
  env["XDG_DATA_HOME"] = dir / "data";
  std::vector<std::string> args{"-batch", "-Yes", "-Root", root, "-Ini", root + "/Korvane.INI",
                                "-Proj",  job};
  if (autoRun) args.insert(args.begin() + 2, {"-ar", "Anal"});
  return RunProgram(KORVANE_BINARY, args, env, {}, started);
}

}  // namespace korvane::testing
