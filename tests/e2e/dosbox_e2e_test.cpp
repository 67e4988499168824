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

void ExpectResult(const TempDir& dir, const std::string& file, const std::string& origin,
                  const std::string& tool) {
  const std::string result = dir.Read(file);
  EXPECT_NE(result.find("<Origin>" + origin + "</Origin>"), std::string::npos) << file << result;
  EXPECT_NE(result.find("tool=\"" + tool + "\""), std::string::npos) << file << result;
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
  // The batch file keeps the lines as they were built.
  EXPECT_EQ(dir.Read("out dir/lastbatch.cmd"),
            "ECHO ON\r\n\"" + root + "/COBWrap/Belmont\" last.xml;0001 \r\n\"" + dalmer +
                "\" last.xml;0002 \r\n\"" + root + "/COBWrap/Belmont\" last.xml;0003 \r\n\"" +
                root + "/COBWrap/Belmont\" last.xml;0004 \r\n");

  // The DOS tool's upper-case results, renamed back and keeping their extension.
  for (const char* name : {"ACCTUPD", "CUSTINQ", "CUSTRPT", "INTCALC"}) {
    ExpectResult(dir, "out dir/WrapOut/" + std::string(name) + ".XML", name + std::string(".cbl"),
                 name == std::string("CUSTINQ") ? "D:\\DALMER.COM" : "C:\\BELMONT.COM");
  }
  for (const auto& entry : fs::directory_iterator(dir.Path() / "out dir/WrapOut")) {
    EXPECT_NE(entry.path().filename().string().substr(0, 3), "SRC") << entry.path();
  }
  EXPECT_EQ(dir.Read("out dir/BANK.LOG"),
            "C:\\BELMONT.COM SRC0001 ACCTUPD.cbl\r\nD:\\DALMER.COM SRC0002 CUSTINQ.cbl\r\n"
            "C:\\BELMONT.COM SRC0003 CUSTRPT.cbl\r\nC:\\BELMONT.COM SRC0004 INTCALC.cbl\r\n");
  // The configuration asks for console capture and a console log; DOSBox mode has neither.
  EXPECT_FALSE(fs::exists(dir.Path() / "out dir/Console.log"));
  EXPECT_NE(dir.Read("CustBankXml.jwrap").find("BatchRunning=N"), std::string::npos);
}

// A product without one call per entity: DOSBox runs the interface wrapper once with
// last.xml, and it does every entity.
TEST(DosBoxRun, ASingleRunStartsTheInterfaceWrapperOnceForTheWholeJob) {
  TempDir dir;
  const std::string root = MakeToolRoot(dir);
  const std::string base = (dir.Path() / "ledger").string();
  for (const char* name : {"PAYCALC.pli", "PAYRPT.pli"}) {
    const std::string source = " " + std::string(name) + ": PROC OPTIONS(MAIN);\r\n END;\r\n";
    dir.Write(std::string("sources/") + name, source);
    dir.Write(std::string("ledger/SourceCollection/") + name, source);
  }
  // A PL/I job of two sources as the shell saves it, "{dir}" standing for the test folder.
  std::string text = testing::ReadGolden("e2e/ledger.jwrap");
  ReplaceAll(text, "{dir}", dir.Path().string());
  const std::string job = dir.Write("Ledger.jwrap", text);

  const ProgramResult result = RunInDosBox(dir, root, job);
  ASSERT_FALSE(result.timedOut) << result.err;
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_FALSE(fs::exists(fs::path(base) / "lastbatch.cmd"));
  EXPECT_EQ(dir.Read("ledger/DOSBox.config"),
            ExpectedConfig(dir.Read("tools/DOSBox.config"),
                           {"mount c: \"" + root + "/PLIWrap/\"", "mount x: .",
                            "x:", "c:\\PLIWrap last.xml", "exit"}));
  for (const std::string name : {"PAYCALC", "PAYRPT"})
    ExpectResult(dir, "ledger/WrapOut/" + name + ".XML", name + ".pli", "C:\\PLIWRAP.COM");
}

}  // namespace
}  // namespace korvane
