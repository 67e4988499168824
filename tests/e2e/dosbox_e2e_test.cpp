// Wrapper tools that are DOS programs, run inside DOSBox for real: the shell has DOSBox
// write its template once, writes each run's configuration, DOSBox runs the DOS stand-in
// tool from the drives it mounted, and the results come back under the sources' names.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "e2e/sample_job.h"
#include "support/table_rows.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::MakeSampleJob;
using testing::ProgramResult;
using testing::ReplaceAll;
using testing::TempDir;

// Far more than a run takes; a DOS program that never ends must not hold up the tests.
constexpr auto kLimit = std::chrono::minutes(2);

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A tool root of the test's own, since the template is written beside Korvane.INI: the
// stand-in root's configuration with DOSBox mode on, and the language folders with the
// DOS tools (and the Linux stand-ins, which DOSBox must pass over).
std::string MakeToolRoot(const TempDir& dir) {
  const fs::path from = KORVANE_TOOLROOT;
  const fs::path root = dir.Path() / "tools";
  fs::create_directories(root);
  for (const char* lang : {"COBWrap", "PLIWrap"}) {
    fs::copy(from / lang, root / lang, fs::copy_options::recursive);
  }
  std::string ini = ReadFile(from / "Korvane.INI");
  ReplaceAll(ini, "Runcontrol.UseDOSBox=N", "Runcontrol.UseDOSBox=Y");
  ReplaceAll(ini, "Runcontrol.DOSBoxLocation=/usr/bin/dosbox",
             "Runcontrol.DOSBoxLocation=" KORVANE_DOSBOX);
  dir.Write("tools/Korvane.INI", ini);
  return root.string();
}

ProgramResult RunInDosBox(const TempDir& dir, const std::string& root, const std::string& job,
                          const std::vector<std::string>& more = {}) {
  std::vector<std::string> args = {"-batch", "-Yes", "-ar",  "Anal",
                                   "-Root",  root,   "-Ini", root + "/Korvane.INI"};
  args.insert(args.end(), more.begin(), more.end());
  args.insert(args.end(), {"-Proj", job});
  // DOSBox keeps its own settings below HOME; no display and no sound card are needed.
  return testing::RunProgram(
      KORVANE_BINARY, args,
      testing::HomeEnv(dir.Path(), {{"SDL_VIDEODRIVER", "dummy"}, {"SDL_AUDIODRIVER", "dummy"}}),
      {}, kLimit);
}

// What the run's configuration must be: the template as DOSBox wrote it up to its
// [autoexec] line with cycles at max, then the given section, every line ending CR LF.
std::string ExpectedConfig(const std::string& templateText,
                           const std::vector<std::string>& autoexec) {
  std::string expected = templateText.substr(0, templateText.find("[autoexec]\n"));
  ReplaceAll(expected, "\ncycles=auto\n", "\ncycles=max\n");
  ReplaceAll(expected, "\n", "\r\n");
  expected += "[autoexec]\r\n";
  for (const std::string& line : autoexec) expected += line + "\r\n";
  return expected;
}

TEST(DosBoxRun, EachEntityRunsFromTheDriveOfItsToolAndTheResultsComeBack) {
  TempDir dir;
  const std::string root = MakeToolRoot(dir);
  // The online wrapper lies in a folder of its own, with a blank, and is named with its
  // extension; the others are found by DOS as Belmont.COM.
  fs::create_directories(fs::path(root) / "Online Tools");
  fs::copy_file(fs::path(root) / "COBWrap/DALMER.COM", fs::path(root) / "Online Tools/DALMER.COM");
  const std::string dalmer = root + "/Online Tools/DALMER.COM";
  const std::string job = MakeSampleJob(dir, "out dir", "FrameFindexecDalmer=" + dalmer + "\n");

  const ProgramResult result = RunInDosBox(dir, root, job, {"-RF"});
  ASSERT_FALSE(result.timedOut) << result.err;
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.err.find("Analysis completed, processing finished"), std::string::npos)
      << result.err;

  // DOSBox wrote the template once, beside the configuration.
  const std::string templateText = dir.Read("tools/DOSBox.config");
  ASSERT_NE(templateText.find("\n[autoexec]\n"), std::string::npos) << templateText;
  ASSERT_NE(templateText.find("\ncycles=auto\n"), std::string::npos);
  EXPECT_EQ(dir.Read("out dir/DOSBox.config"),
            ExpectedConfig(templateText,
                           {"mount x: .", "x:", "mount d: \"" + root + "/Online Tools/\"",
                            "mount c: \"" + root + "/COBWrap/\"", "ECHO ON",
                            "c:\\Belmont last.xml;0001 ", "d:\\DALMER.COM last.xml;0002 ",
                            "c:\\Belmont last.xml;0003 ", "c:\\Belmont last.xml;0004 ", "exit"}));

  // The DOS tool's upper-case results, renamed back and keeping their extension.
  for (const std::string name : {"ACCTUPD", "CUSTINQ", "CUSTRPT", "INTCALC"}) {
    const std::string xml = dir.Read("out dir/WrapOut/" + name + ".XML");
    EXPECT_NE(xml.find("<Origin>" + name + ".cbl</Origin>"), std::string::npos) << xml;
    const std::string tool = name == "CUSTINQ" ? "D:\\DALMER.COM" : "C:\\BELMONT.COM";
    EXPECT_NE(xml.find("tool=\"" + tool + "\""), std::string::npos) << xml;
  }
  for (const auto& entry : fs::directory_iterator(dir.Path() / "out dir/WrapOut")) {
    EXPECT_NE(entry.path().filename().string().substr(0, 3), "SRC") << entry.path();
  }
  // The configuration asks for console capture and a console log; DOSBox mode has neither.
  EXPECT_FALSE(fs::exists(dir.Path() / "out dir/Console.log"));
  EXPECT_NE(dir.Read("CustBankXml.jwrap").find("BatchRunning=N"), std::string::npos);
}

}  // namespace
}  // namespace korvane
