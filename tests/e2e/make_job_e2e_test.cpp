// Jobs made without the window (`korvane -batch -MakeJob`) from generated source folders,
// through the real program, and run.
// With KORVANE_KEEP_JOBS set, the twenty jobs are made in that folder and kept there for
// the cluster test to submit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "e2e/sample_job.h"

namespace korvane::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kJobs = 20;
// Its source asks the stand-in tool to fail: one job of the twenty fails by its content.
constexpr int kFailingJob = 7;

void WriteFile(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

std::string Cobol(const std::string& program, const std::string& extra = {}) {
  return "000100 IDENTIFICATION DIVISION.\r\n000200 PROGRAM-ID. " + program +
         ".\r\n000300 DATA DIVISION.\r\n000400 WORKING-STORAGE SECTION.\r\n"
         "000500     COPY CUSTREC.\r\n000600 PROCEDURE DIVISION.\r\n" +
         extra + "000700     GOBACK.\r\n";
}

std::string Name(int job) {
  return (job < 10 ? "0" : "") + std::to_string(job);
}

// A system's source folder: two programs at its top, one a level down, one two levels
// down (left out by -Depth 2), and a file of another type.
fs::path GenerateSources(const fs::path& root, int job) {
  const std::string n = Name(job);
  const fs::path dir = root / "src" / ("SYS" + n);
  WriteFile(dir / ("ONL" + n + ".cbl"), Cobol("ONL" + n));
  WriteFile(dir / ("BAT" + n + ".cbl"),
            Cobol("BAT" + n, job == kFailingJob ? "000650* STANDIN-FAIL\r\n" : ""));
  WriteFile(dir / "lib" / ("SUB" + n + ".cbl"), Cobol("SUB" + n));
  WriteFile(dir / "lib" / "old" / ("OLD" + n + ".cbl"), Cobol("OLD" + n));
  WriteFile(dir / "README.txt", "not a source\r\n");
  return dir;
}

ProgramResult Korvane(const fs::path& home, std::vector<std::string> args) {
  const std::string root = KORVANE_TOOLROOT;
  args.insert(args.begin(), {"-batch", "-Yes", "-Root", root, "-Ini", root + "/Korvane.INI"});
  return RunProgram(KORVANE_BINARY, args, HomeEnv(home), {}, std::chrono::minutes(2));
}

ProgramResult MakeJobOf(const fs::path& root, int job) {
  const std::string n = Name(job);
  const fs::path sources = GenerateSources(root, job);
  return Korvane(root, {"-MakeJob",     (root / "jobs" / ("Job" + n + ".jwrap")).string(),
                        "-Product",     "Cobol",
                        "-ProductName", "pay",
                        "-SystemName",  "SYS" + n,
                        "-Base",        (root / "base" / ("job" + n)).string(),
                        "-Depth",       "2",
                        "-Sources",     sources.string(),
                        "-Copies",      (fs::path(KORVANE_SAMPLES) / "jobs/cobol/copylib").string(),
                        "-WrapType",    "Module",
                        "-WrapType",    "Onl=ONL*.cbl"});
}

// What the job holds is JobMaker.SavesTheBytesAPersonsJobHasAndOpensUnmodified; here the
// recipe comes through the command line and the jobs run.
TEST(MakeJob, TwentyJobsFromGeneratedFoldersAreMadeAndRun) {
  TempDir temp;
  const char* keep = std::getenv("KORVANE_KEEP_JOBS");
  const fs::path root = keep != nullptr && *keep != '\0' ? fs::path(keep) : temp.Path();
  fs::create_directories(root / "jobs");
  std::string listed;
  for (int job = 1; job <= kJobs; ++job) {
    const ProgramResult made = MakeJobOf(root, job);
    ASSERT_EQ(made.status, 0) << made.err;
    const fs::path file = root / "jobs" / ("Job" + Name(job) + ".jwrap");
    ASSERT_TRUE(fs::is_regular_file(file)) << made.err;
    listed += file.string() + "\n";
  }
  WriteFile(root / "jobs.txt", listed);
  // Run: every source within the depth has its result back under its own name.
  const fs::path base = root / "base/job01";
  const ProgramResult ran =
      Korvane(root, {"-ar", "Anal", "-Proj", (root / "jobs/Job01.jwrap").string()});
  ASSERT_EQ(ran.status, 0) << ran.err;
  for (const char* name : {"ONL01", "BAT01", "SUB01"}) {
    EXPECT_TRUE(fs::exists(base / "WrapOut" / (std::string(name) + ".xml"))) << name << ran.err;
  }
  if (keep == nullptr || *keep == '\0') {
    const ProgramResult failed =
        Korvane(root, {"-ar", "Anal", "-Proj",
                       (root / "jobs" / ("Job" + Name(kFailingJob) + ".jwrap")).string()});
    EXPECT_EQ(failed.status, 1) << failed.err;
  }
}

}  // namespace
}  // namespace korvane::testing
