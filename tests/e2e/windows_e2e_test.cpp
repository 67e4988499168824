// The sample job run by korvane.exe -batch on Windows (under Wine in CI) with the
// Windows stand-in tools: lastbatch.cmd run by the command interpreter, the console
// captured through the stub, tools that fail, crash or wait for Enter, and the
// settings and the job file type in the registry of the current user.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "e2e/sample_job.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::MakeSampleJob;
using testing::RunJob;
using testing::SampleResults;
using testing::TempDir;

std::string RegistryValue(const std::string& subKey, const char* name) {
  char buffer[2048] = {};
  DWORD size = sizeof buffer;
  if (::RegGetValueA(HKEY_CURRENT_USER, subKey.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer,
                     &size) != ERROR_SUCCESS) {
    return "<none>";
  }
  return buffer;
}

long CountLines(const fs::path& file, const std::string& part) {
  std::ifstream in(file, std::ios::binary);
  std::string line;
  long count = 0;
  while (std::getline(in, line)) count += line.find(part) != std::string::npos ? 1 : 0;
  return count;
}

constexpr const char* kParameters = "Software\\Brevik\\Korvane Shell\\Parameters";

TEST(WindowsRun, TheMultiEntityBatchRunsInTheInterpreterAndTheResultsComeBack) {
  // As on a machine korvane never ran on: the first start registers the job files.
  ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\.jwrap");
  ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kParameters, "ProgramVersion");
  TempDir dir;
  const std::string job = MakeSampleJob(dir, "out dir");
  const auto result = RunJob(dir, job);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.err.find("this run wrote 4 results, 4 renamed back"), std::string::npos)
      << result.err;
  const fs::path base = dir.Path() / "out dir";
  EXPECT_EQ(SampleResults(base.string()), 4);
  EXPECT_FALSE(fs::exists(base / "WrapOut/SRC0001.xml"));

  // The batch file names the Windows programs, one per line, ended by CR LF.
  const std::string batch = dir.Read("out dir/lastbatch.cmd");
  EXPECT_EQ(batch.rfind("ECHO ON\r\n", 0), 0u) << batch;
  EXPECT_NE(batch.find("Belmont.exe\" last.xml;0004 \r\n"), std::string::npos) << batch;
  // The interpreter echoed the lines with its prompt: cmd ran the file, not our runner.
  EXPECT_NE(dir.Read("out dir/Console.log").find("out dir>ECHO ON"), std::string::npos);
  EXPECT_EQ(CountLines(base / "Console.log", "Orig Source File = "), 4);
  const std::string log = dir.Read("out dir/bank.log");
  EXPECT_NE(log.find("Dalmer SRC0002 CUSTINQ.cbl"), std::string::npos) << log;
  EXPECT_NE(dir.Read("CustBankXml.jwrap").find("BatchRunning=N\r\n"), std::string::npos);

  // Settings went to the registry and the job file type under the user's classes.
  EXPECT_EQ(RegistryValue(kParameters, "ProgramVersion"), "1.0.0.0");
  EXPECT_EQ(fs::path(RegistryValue(kParameters, "LastOutputDirCOB")), dir.Path());
  const std::string type = RegistryValue("Software\\Classes\\.jwrap", nullptr);
  ASSERT_NE(type, "<none>");
  const std::string open =
      RegistryValue("Software\\Classes\\" + type + "\\shell\\Open\\command", nullptr);
  EXPECT_NE(open.find("korvane.exe"), std::string::npos) << open;
  EXPECT_NE(open.find("%1"), std::string::npos) << open;
}

TEST(WindowsRun, SettingsWrittenByOneRunAreReadByTheNext) {
  TempDir dir;
  const std::string job = MakeSampleJob(dir, "out");
  ASSERT_EQ(RunJob(dir, job).status, 0);
  // The version is read back: an unchanged one registers the file type no more.
  ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\.jwrap");
  ASSERT_EQ(RunJob(dir, job, {}, {}, /*autoRun=*/false).status, 0);
  EXPECT_EQ(RegistryValue("Software\\Classes\\.jwrap", nullptr), "<none>");
  // A changed one does.
  const std::string old = "0.9.0.0";
  HKEY key = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kParameters, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  ::RegSetValueExA(key, "ProgramVersion", 0, REG_SZ, reinterpret_cast<const BYTE*>(old.c_str()),
                   static_cast<DWORD>(old.size() + 1));
  ::RegCloseKey(key);
  ASSERT_EQ(RunJob(dir, job, {}, {}, /*autoRun=*/false).status, 0);
  EXPECT_NE(RegistryValue("Software\\Classes\\.jwrap", nullptr), "<none>");
  EXPECT_EQ(RegistryValue(kParameters, "ProgramVersion"), "1.0.0.0");
}

// A hundred thousand console lines (four tool starts of 25,000 through the console stub)
// all reach Console.log, a tool waiting for Enter gets it through the captured console,
// and a tool that fails or crashes is never reported as a success.
TEST(WindowsRun, EachWayAToolBehavesEndsTheRunAsItShould) {
  for (const auto& [variable, value, status] : {std::tuple{"KORVANE_STANDIN_FLOOD", "25000", 0},
                                                {"KORVANE_STANDIN_WAIT_ENTER", "1", 0},
                                                {"KORVANE_STANDIN_EXIT", "5", 1},
                                                {"KORVANE_STANDIN_CRASH", "5", 1}}) {
    SCOPED_TRACE(variable);
    TempDir dir;
    const auto result = RunJob(dir, MakeSampleJob(dir, "out"), {{variable, value}});
    EXPECT_FALSE(result.timedOut);
    ASSERT_EQ(result.status, status) << result.err.substr(result.err.size() / 2);
    if (status == 0) {
      EXPECT_EQ(SampleResults(dir / "out"), 4);
    } else {
      EXPECT_NE(result.err.find("Error: The tool lastbatch.cmd ended with exit status "),
                std::string::npos)
          << result.err;
      EXPECT_EQ(result.err.find("Analysis completed"), std::string::npos) << result.err;
    }
    if (std::string(variable) == "KORVANE_STANDIN_FLOOD") {
      EXPECT_EQ(CountLines(dir.Path() / "out/Console.log", " console line "), 100000);
    }
  }
}

TEST(WindowsRun, ADirectRunStartsTheInterfaceWrapperWithTheJobFile) {
  TempDir dir;
  const std::string job = MakeSampleJob(dir, "out");
  // The same configuration with COBOL as a single-entity product: no batch file,
  // the interface wrapper is started with last.xml itself.
  const std::string root = KORVANE_TOOLROOT;
  std::ifstream in(root + "/Korvane.INI", std::ios::binary);
  std::string ini{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::size_t multi = ini.find("COB.Extras=(DirDepth=3,Multi=Y");
  ASSERT_NE(multi, std::string::npos);
  ini.replace(multi, 30, "COB.Extras=(DirDepth=3,Multi=N");
  const std::string config = dir.Write("Korvane.INI", ini);
  const auto result = testing::RunProgram(
      KORVANE_BINARY,
      {"-batch", "-Yes", "-ar", "Anal", "-Root", root, "-Ini", config, "-Proj", job}, {}, {},
      std::chrono::minutes(2));
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_FALSE(fs::exists(dir.Path() / "out/lastbatch.cmd"));
  EXPECT_EQ(SampleResults(dir / "out"), 4);
  // The interface wrapper did all four itself.
  EXPECT_EQ(CountLines(dir.Path() / "out/bank.log", "COBWrap SRC000"), 4);
}

}  // namespace
}  // namespace korvane
