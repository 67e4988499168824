#include "stelmar/core/command_line.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "stelmar/core/display_check.h"

namespace stelmar {
namespace {

using Action = CommandLine::Action;

CommandLine Parse(const std::string& words) {
  std::vector<std::string> args;
  std::istringstream in(words);
  for (std::string word; in >> word;) args.push_back(word);
  return ParseCommandLine(args);
}

TEST(StelmarCommandLine, TakesTheWindowSwitchesAndTheScans) {
  const CommandLine window = Parse("-Ini /etc/s.ini -Run 106");
  EXPECT_EQ(window.action, Action::kWindow);
  EXPECT_EQ(window.iniPath, "/etc/s.ini");
  EXPECT_EQ(window.runCommand, 106);
  EXPECT_EQ(Parse("-I a.ini").iniPath, "a.ini");
  EXPECT_EQ(Parse("").action, Action::kWindow);
  EXPECT_EQ(Parse("-Run 24332").runCommand, 24332);
  EXPECT_EQ(Parse("-Run 2009").runCommand, 2009);

  const CommandLine scan = Parse("-tokens p.pli");
  EXPECT_EQ(scan.action, Action::kScan);
  EXPECT_EQ(scan.scan, ScanMode::kTokens);
  EXPECT_EQ(scan.source, "p.pli");
  EXPECT_EQ(Parse("-files p.pli").scan, ScanMode::kFiles);
  EXPECT_EQ(Parse("-procs p.pli").scan, ScanMode::kProcedures);

  // Help wins over whatever else is given, a fault included.
  for (const char* words : {"-h", "--help", "-Ini x --help", "-bogus -h", "-files p.pli -h"})
    EXPECT_EQ(Parse(words).action, Action::kHelp) << words;
}

TEST(StelmarCommandLine, RefusesWhatItCannotTakeNamingTheFirstFault) {
  const std::pair<const char*, const char*> cases[] = {
      {"-Frobnicate", "unknown switch -Frobnicate"},
      {"-ini x", "unknown switch -ini"},
      {"prog.pli", "unexpected argument prog.pli"},
      {"-Ini", "-Ini needs the path of stelmar.ini"},
      {"-Ini -Run 106", "-Ini needs the path of stelmar.ini"},
      {"-Run", "-Run needs a menu command id"},
      {"-Run 999", "-Run: unknown command id 999"},
      {"-Run 0", "-Run: unknown command id 0"},
      {"-Run 106x", "-Run: unknown command id 106x"},
      {"-Run 0106000", "-Run: unknown command id 0106000"},
      {"-files", "-files needs a source file"},
      {"-procs a.pli -files b.pli", "only one of -files, -procs and -tokens can be given"},
      {"-files a.pli -Run 106", "-Ini and -Run belong to the window, not to a scan"},
      {"-Ini s.ini -procs a.pli", "-Ini and -Run belong to the window, not to a scan"},
      {"-Run 5 -Bad", "-Run: unknown command id 5"},
  };
  for (const auto& [words, cause] : cases) {
    const CommandLine line = Parse(words);
    EXPECT_EQ(line.action, Action::kUsageError) << words;
    EXPECT_EQ(line.error, cause) << words;
  }
  EXPECT_FALSE(IsMenuCommand(0));  // the separators' id
}

TEST(StelmarDisplayCheck, KnowsWhichPlatformsNeedWhichDisplay) {
  struct Case {
    std::map<std::string, std::string> env;
    const char* missing;  // nullptr: the window can start
  };
  const Case cases[] = {
      {{{"DISPLAY", ":0"}}, nullptr},
      {{{"WAYLAND_DISPLAY", "wayland-0"}}, nullptr},
      {{{"DISPLAY", ""}},
       "no display for the window: neither DISPLAY nor WAYLAND_DISPLAY is set "
       "(QT_QPA_PLATFORM=offscreen runs without one)"},
      {{{"QT_QPA_PLATFORM", "offscreen"}}, nullptr},
      {{{"QT_QPA_PLATFORM", "minimal"}}, nullptr},
      {{{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "w"}},
       "no display for the window: QT_QPA_PLATFORM=xcb needs DISPLAY"},
      {{{"QT_QPA_PLATFORM", "xcb:nograb"}, {"DISPLAY", ":1"}}, nullptr},
      {{{"QT_QPA_PLATFORM", "wayland-egl"}, {"DISPLAY", ":1"}},
       "no display for the window: QT_QPA_PLATFORM=wayland-egl needs WAYLAND_DISPLAY"},
      {{{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":1"}}, nullptr},
      {{{"QT_QPA_PLATFORM", "wayland;xcb"}},
       "no display for the window: QT_QPA_PLATFORM=wayland;xcb needs WAYLAND_DISPLAY or DISPLAY"},
  };
  for (const Case& c : cases) {
    const auto missing = MissingDisplay([&c](const char* name) {
      auto it = c.env.find(name);
      return it == c.env.end() ? std::string() : it->second;
    });
    const std::string where = c.env.begin()->first + "=" + c.env.begin()->second;
    if (c.missing == nullptr) {
      EXPECT_FALSE(missing) << where << ": " << *missing;
    } else {
      ASSERT_TRUE(missing) << where;
      EXPECT_EQ(*missing, c.missing) << where;
    }
  }
}

}  // namespace
}  // namespace stelmar
