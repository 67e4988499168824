// stelmar's exit statuses, every row of the table through the real program.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/golden.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace stelmar {
namespace {

using korvane::testing::ExpectGolden;
using korvane::testing::RunProgram;
using korvane::testing::TempDir;

// A window that wrongly started would wait for a person; the limit ends it.
constexpr std::chrono::seconds kLimit{60};

// The environment every run starts from: a fixed config folder, and no display
// unless a case names one.
std::map<std::string, std::string> Environment(const TempDir& home,
                                               std::map<std::string, std::string> extra) {
  std::map<std::string, std::string> env{{"HOME", home.Path().string()},
                                         {"XDG_CONFIG_HOME", "/xdg-config"},
                                         {"DISPLAY", ""},
                                         {"WAYLAND_DISPLAY", ""},
                                         {"QT_QPA_PLATFORM", ""}};
  for (auto& [name, value] : extra) env[name] = value;
  return env;
}

TEST(StelmarExitStatus, EveryRowOfTheTable) {
  TempDir home;
  const std::string source = home.Write("prog.pli", "MAIN: PROC OPTIONS(MAIN);\n DCL F FILE;\n");
  const std::string missing = home / "missing.pli";
  struct Case {
    std::vector<std::string> args;
    std::map<std::string, std::string> env;
    int status;
    std::optional<std::string> err;  // the whole of standard error; none: Qt's own chatter
  };
  const std::string see = " (see stelmar --help)\n";
  const Case cases[] = {
      // 0: a scan, and a window that starts and is closed by its Exit command.
      {{"-procs", source}, {}, 0, ""},
      {{"-Ini", home / "s.ini", "-Run", "24310"},
       {{"QT_QPA_PLATFORM", "offscreen"}},
       0,
       std::nullopt},
      // 1: the source cannot be read.
      {{"-files", missing},
       {},
       1,
       "stelmar: cannot open " + missing + ": No such file or directory\n"},
      {{"-tokens", home.Path().string()},
       {},
       1,
       "stelmar: cannot open " + home.Path().string() + ": Is a directory\n"},
      // 2: usage errors are refused before any window, a display or not; which faults
      // are refused with which words is the command line's own test.
      {{"-Frobnicate"},
       {{"QT_QPA_PLATFORM", "offscreen"}},
       2,
       "stelmar: unknown switch -Frobnicate" + see},
      {{"-Run", "abc"}, {}, 2, "stelmar: -Run: unknown command id abc" + see},
      // 4: no display (which platform needs which is the display check's own test).
      {{},
       {},
       4,
       "stelmar: no display for the window: neither DISPLAY nor WAYLAND_DISPLAY is set "
       "(QT_QPA_PLATFORM=offscreen runs without one)\n"},
  };
  for (const Case& c : cases) {
    std::string words;
    for (const auto& arg : c.args) words += arg + " ";
    SCOPED_TRACE(words);
    const auto result = RunProgram(STELMAR_BINARY, c.args, Environment(home, c.env), {}, kLimit);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.status, c.status) << result.err;
    if (c.err) EXPECT_EQ(result.err, *c.err);
    if (c.status != 0) EXPECT_EQ(result.out, "");
  }
  // The window really started: its start writes the settings it was given.
  EXPECT_TRUE(std::filesystem::exists(home.Path() / "s.ini"));
}

TEST(StelmarExitStatus, HelpPrintsTheWholeTableOnStandardOutput) {
  TempDir home;
  for (const char* ask : {"--help", "-h"}) {
    SCOPED_TRACE(ask);
    // Help ends at once, whatever else the line holds.
    const auto result =
        RunProgram(STELMAR_BINARY, {"-Run", "999", ask}, Environment(home, {}), {}, kLimit);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    ExpectGolden("stelmar/help.txt", result.out);
  }
}

// 3: output that does not arrive is a failure, with the system's reason.
TEST(StelmarExitStatus, AFullDiskOnStandardOutputFails) {
  TempDir home;
  std::string big;
  for (int i = 0; i < 20000; ++i) big += "P" + std::to_string(i) + ": PROC;\n";
  const std::string source = home.Write("big.pli", big);
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"-procs", home.Write("p.pli", "P: PROC;\n")}, {"-tokens", source}, {"--help"}}) {
    SCOPED_TRACE(args.front());
    const auto result =
        RunProgram(STELMAR_BINARY, args, Environment(home, {}), {}, kLimit, {}, "/dev/full");
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.err, "stelmar: cannot write standard output: No space left on device\n");
  }
}

}  // namespace
}  // namespace stelmar
