#include <gtest/gtest.h>

#include <set>

#include "korvane/core/common/status_bar.h"
#include "korvane/core/config/tool_configuration.h"
#include "korvane/core/project/transcript.h"
#include "korvane/core/run/dosbox_config.h"
#include "korvane/core/run/dosbox_mode.h"
#include "support/golden.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

using Lines = std::vector<std::string>;
using testing::TempDir;

// Tool configuration, files and DOSBox itself as a DOSBox mode test sets them up.
struct FakeDosBoxWorld : DosBoxSettings {
  std::set<std::string> files;
  std::string location;
  std::string folder = "/etc/kv/";
  std::vector<std::string> remembered;
  std::vector<std::pair<ToolCommand, std::string>> runs;
  bool dosBoxWritesTemplate = true;

  std::string ConfiguredLocation() const override { return location; }
  std::string ConfigurationFolder() const override { return folder; }
  void RememberLocation(const std::string& path) override { remembered.push_back(path); }

  DosBoxEnvironment Environment() {
    DosBoxEnvironment env;
    env.defaultLocations = {"/usr/bin/dosbox", "/usr/local/bin/dosbox"};
    env.dialogFileName = "dosbox";
    env.dialogInitialDir = "/usr/bin/";
    env.fileExists = [this](const std::string& path) { return files.count(path) > 0; };
    env.runAndWait = [this](const ToolCommand& command, const std::string& workDir) {
      runs.emplace_back(command, workDir);
      if (dosBoxWritesTemplate) files.insert(workDir + "DOSBox.config");
      return true;
    };
    return env;
  }
};

TEST(DosBoxConfig, WritesTheSingleAndMultiEntityConfigurationsByteForByte) {
  TempDir dir;
  const std::string templ =
      dir.Write("tools/DOSBox.config", testing::ReadGolden("run/template.config"));
  testing::ScriptedPerson person;
  StatusBar status(person);
  FakeDosBoxWorld world;
  world.folder = dir.Path().string() + "/tools/";
  world.files = {"/usr/local/bin/dosbox", templ};
  DosBoxMode mode(world.Environment(), world, person, status);
  mode.Set(true);
  ASSERT_TRUE(mode.On());
  EXPECT_EQ(mode.Executable(), "/usr/local/bin/dosbox");
  EXPECT_TRUE(world.runs.empty());  // the template was there already

  const std::string base = dir.Path().string() + "/job/";
  std::filesystem::create_directories(base);
  const ToolCommand single =
      mode.PrepareRun({"/opt/kv tools/COBWrap/COBWrap", "last.xml;0042"}, base, false, {});
  EXPECT_EQ(single, (ToolCommand{"/usr/local/bin/dosbox", "-conf DOSBox.config -noconsole -exit"}));
  testing::ExpectGolden("run/single.config", dir.Read("job/DOSBox.config"));

  const Lines batch = {"ECHO ON", "\"/opt/Zeta/Ardent\" last.xml;0001 ",
                       "\"/opt/alpha/Corvid\" last.xml;0002 ",
                       "\"/opt/Zeta/Belmont\" last.xml;0003 "};
  mode.PrepareRun({base + "lastbatch.cmd", ""}, base, true, batch);
  testing::ExpectGolden("run/multi.config", dir.Read("job/DOSBox.config"));
}

TEST(DosBoxConfig, CutsTheTemplateAndSetsCyclesWhereverTheyAre) {
  // No [autoexec]: everything kept, the section and cycles appended.
  EXPECT_EQ(SingleRunConfig({"[sdl]", "cycles = auto"}, "/t/X"),
            (Lines{"[sdl]", "cycles = auto", "[autoexec]", "mount c: \"/t/\"", "mount x: .",
                   "x:", "c:\\X last.xml", "exit", "cycles=max"}));
  // [autoexec] first: kept as it is, and appended once more.
  EXPECT_EQ(CutAfterAutoexec({"[Autoexec]", "echo hi"}),
            (Lines{"[Autoexec]", "echo hi", "[autoexec]"}));
  // Only a whole line counts.
  EXPECT_EQ(CutAfterAutoexec({"a", " [autoexec]", "b"}),
            (Lines{"a", " [autoexec]", "b", "[autoexec]"}));
  Lines lines = {"CYCLES=auto", "cycles=fixed 3000"};
  SetCyclesMax(lines);
  EXPECT_EQ(lines, (Lines{"cycles=max", "cycles=fixed 3000"}));
}

TEST(DosBoxConfig, SharesADriveBetweenToolsOfOneFolderAndLeavesOtherLinesAlone) {
  EXPECT_EQ(DosBoxBatchLines({"ECHO ON", "\"/w/Ardent\" last.xml;0001 ",
                              "\"/w/WLink\" last.xml;0001 ", "REM \"x\""}),
            (Lines{"mount c: \"/w/\"", "ECHO ON", "c:\\Ardent last.xml;0001 ",
                   "c:\\WLink last.xml;0001 ", "REM \"x\""}));
}

// Each turn of the mode is a line of run/dosbox_search.txt: what it found, what it ran
// (DOSBox writing its template), what it remembered and asked, and its messages.
TEST(DosBoxMode, LooksInTheDefaultPlacesThenTheConfigurationThenAsks) {
  testing::ScriptedPerson person;
  StatusBar status(person);
  testing::Transcript t(person, status);
  FakeDosBoxWorld world;
  auto note = [&](const DosBoxMode& mode, const std::string& what) {
    std::string seen;
    for (const auto& [command, workDir] : world.runs) {
      seen += " [" + command.program + command.parameters + " in " + workDir + "]";
    }
    for (const auto& request : person.openRequests) {
      seen += " asked '" + request.title + "' for " + request.fileName;
    }
    for (const auto& path : world.remembered) seen += " remembered " + path;
    world.runs.clear();
    person.openRequests.clear();
    world.remembered.clear();
    t.Note(what + ": on " + testing::YesNo(mode.On()) + ", program '" + mode.Executable() +
           "', template '" + mode.TemplatePath() + "'" + seen);
  };
  auto turnOn = [&](const std::string& what) {
    DosBoxMode mode(world.Environment(), world, person, status);
    mode.Set(true);
    note(mode, what);
  };
  world.files = {"/usr/bin/dosbox", "/usr/local/bin/dosbox", "/etc/kv/DOSBox.config"};
  {
    DosBoxMode mode(world.Environment(), world, person, status);
    mode.Set(true);
    note(mode, "default places");
    mode.Set(false);
    note(mode, "off");
  }
  // Nothing in the default places: the configured location, and the template written by
  // DOSBox itself in the configuration's folder.
  world.files = {"/opt/my dosbox/dosbox"};
  world.location = "/opt/my dosbox/dosbox";
  turnOn("configured");
  // A configured location that is missing, or a template DOSBox did not write: off, silently.
  world.location = "/nowhere/dosbox";
  world.dosBoxWritesTemplate = false;
  world.files.erase("/etc/kv/DOSBox.config");
  turnOn("configured but missing");
  world.location = "/opt/my dosbox/dosbox";
  turnOn("no template written");
  // No location at all: the person is asked; a choice is remembered, a cancel warned about.
  world.location.clear();
  world.dosBoxWritesTemplate = true;
  person.openAnswers.push_back({"/home/me/dosbox"});
  world.files = {"/home/me/dosbox"};
  turnOn("chosen");
  turnOn("cancelled");
  t.Expect("run/dosbox_search.txt");
}

TEST(DosBoxMode, RemembersTheLocationRightAfterTheModeSwitch) {
  ToolConfiguration config({"[Runcontrol]", "Runcontrol.UseDOSBox=Y", "Runcontrol.Blindrun=N"});
  InsertDosBoxLocation(config, "/home/me/dosbox");
  EXPECT_EQ(config.Lines(),
            (Lines{"[Runcontrol]", "Runcontrol.UseDOSBox=Y",
                   "Runcontrol.DOSBoxLocation=/home/me/dosbox", "Runcontrol.Blindrun=N"}));
  EXPECT_EQ(config.Value("Runcontrol.DOSBoxLocation"), "/home/me/dosbox");
}

}  // namespace
}  // namespace korvane
