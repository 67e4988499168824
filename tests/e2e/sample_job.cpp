#include "e2e/sample_job.h"

#include <filesystem>
#include <fstream>
#include <sstream>
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

}  // namespace korvane::testing
