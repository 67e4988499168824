#include "e2e/sample_job.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <utility>

namespace korvane::testing {

namespace fs = std::filesystem;

std::string MakeSampleJob(const TempDir& dir, const std::string& baseName,
                          const std::string& extraLines) {
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
  if (const size_t line = job.find("EditSystemName="); line != std::string::npos) {
    job.insert(job.find('\n', line) + 1, extraLines);
  }
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

ProgramResult RunJob(const TempDir& dir, const std::string& job,
                     std::map<std::string, std::string> env,
                     const std::function<void(long)>& started, bool autoRun,
                     const std::vector<std::string>& extraArgs) {
  const std::string root = KORVANE_TOOLROOT;
  std::vector<std::string> args{"-batch", "-Yes", "-Root", root, "-Ini", root + "/Korvane.INI",
                                "-Proj",  job};
  if (autoRun) args.insert(args.begin() + 2, {"-ar", "Anal"});
  args.insert(args.end(), extraArgs.begin(), extraArgs.end());
  // No run of the sample takes a minute; a hanging one must not hold up the tests.
  return RunProgram(KORVANE_BINARY, args, HomeEnv(dir.Path(), std::move(env)), {},
                    std::chrono::minutes(2), started);
}

std::map<std::string, std::string> HomeEnv(const fs::path& home,
                                           std::map<std::string, std::string> more) {
  more["HOME"] = home.string();
  more["XDG_CONFIG_HOME"] = (home / "config").string();
  more["XDG_DATA_HOME"] = (home / "data").string();
  return more;
}

bool WaitForFile(const fs::path& file) {
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!fs::exists(file) && std::chrono::steady_clock::now() < limit) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return fs::exists(file);
}

int SampleResults(const std::string& base) {
  int found = 0;
  for (const char* name : {"ACCTUPD", "CUSTINQ", "CUSTRPT", "INTCALC"}) {
    found += fs::exists(fs::path(base) / "WrapOut" / (std::string(name) + ".xml")) ? 1 : 0;
  }
  return found;
}

}  // namespace korvane::testing
