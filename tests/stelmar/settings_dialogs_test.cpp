#include "stelmar/core/settings_dialogs.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "scripted_stelmar_port.h"
#include "stelmar/core/commands.h"
#include "stelmar/core/stelmar_ini.h"
#include "support/temp_dir.h"

namespace stelmar {
namespace {

using korvane::testing::TempDir;
using testing::RecordingStarter;
using testing::ScriptedStelmarPort;

class SettingsDialogs : public ::testing::Test {
 protected:
  SettingsDialogs() : commands(port, starter, dir / "ini/stelmar.ini") {
    commands.Start(dir / "prog");
  }
  Settings Stored() const {
    Settings s;
    ReadStelmarIni(dir / "ini/stelmar.ini", s);
    return s;
  }
  TempDir dir;
  ScriptedStelmarPort port;
  RecordingStarter starter;
  StelmarCommands commands;
};

TEST_F(SettingsDialogs, ParameterShowsModulAsUtmAndOnlyCancelKeepsIt) {
  commands.Record().TYPE = "MODUL";
  port.parameters.push_back(
      [](ParameterDialog& d) { EXPECT_EQ(d.Checked(), ParameterDialog::kUtm); });
  commands.Parameter();  // cancelled
  EXPECT_EQ(commands.Record().TYPE, "MODUL");

  port.parameters.push_back([](ParameterDialog& d) { d.Ok(); });
  commands.Parameter();
  EXPECT_EQ(commands.Record().TYPE, "UTM");

  port.parameters.push_back([](ParameterDialog& d) {
    d.Click(ParameterDialog::kIms);
    d.Ok();
  });
  commands.Parameter();
  EXPECT_EQ(Stored().TYPE, "IMS");
  port.parameters.push_back(
      [](ParameterDialog& d) { EXPECT_EQ(d.Checked(), ParameterDialog::kIms); });
  commands.Parameter();
}

TEST_F(SettingsDialogs, CopyDirectoriesReportTheFirstMissingAndStoreNothingUntilAllPass) {
  std::filesystem::create_directories(dir.Path() / "c1");
  const std::string c1 = dir / "c1";
  const std::string missing3 = dir / "missing3";
  port.copyDirectories.push_back([&](CopyDirectoriesDialog& d) {
    d.Fields() = {c1, c1, missing3, "", dir / "missing5"};
    EXPECT_FALSE(d.Ok(port));
    d.Fields()[2] = "";
    d.Fields()[4] = "";
    EXPECT_TRUE(d.Ok(port));
  });
  commands.CopyDirectories();
  ASSERT_EQ(port.errors.size(), 1u);
  EXPECT_EQ(port.errors[0].first, "Directory is not available!\n" + missing3);
  EXPECT_EQ(port.errors[0].second, "Pellam Error Message");
  EXPECT_EQ(Stored().COPY_DIR[1], c1);

  port.copyDirectories.push_back([&](CopyDirectoriesDialog& d) {
    d.Fields()[0] = dir / "gone";
    EXPECT_FALSE(d.Ok(port));
  });
  commands.CopyDirectories();  // left by Cancel
  EXPECT_EQ(commands.Record().COPY_DIR[0], c1);
}

TEST_F(SettingsDialogs, DirectoriesAreFilledByBrowsing) {
  std::filesystem::create_directories(dir.Path() / "top/b_sub");
  std::filesystem::create_directories(dir.Path() / "top/a_sub");
  commands.Record().WORK_DIR = dir / "top";
  port.directories.push_back([&](DirectoriesDialog& d) {
    d.Browse(DirectoriesDialog::kWork);
    d.Browse(DirectoriesDialog::kInput);
    d.Ok();
  });
  port.browsers.push_back([&](DirectoryBrowser& b) {
    EXPECT_EQ(b.Caption(), "Open Work Directory");
    EXPECT_EQ(b.Directory(), dir / "top");
    EXPECT_EQ(b.Entries(), (std::vector<std::string>{"[..]", "[a_sub]", "[b_sub]"}));
    b.Select(2);
    EXPECT_EQ(b.Directory(), dir / "top/b_sub");
    b.Ok();
  });
  port.browsers.push_back([](DirectoryBrowser& b) {
    EXPECT_EQ(b.Caption(), "Open Document Directory");
  });  // cancelled: the field stays empty
  commands.Directories();
  EXPECT_EQ(Stored().WORK_DIR, dir / "top/b_sub");
  EXPECT_EQ(Stored().INPUT_DIR, "");
}

TEST_F(SettingsDialogs, EditorTakesTheSearchedOrTypedPath) {
  port.openFiles.push_back(std::string("/usr/bin/less"));
  port.editors.push_back([](EditorDialog& d) {
    d.Search();
    EXPECT_EQ(d.Value(), "/usr/bin/less");
    d.Ok();
  });
  commands.Editor();
  EXPECT_EQ(Stored().EDITOR, "/usr/bin/less");

  port.editors.push_back([](EditorDialog& d) { d.SetValue(std::string(300, 'e')); });
  commands.Editor();  // cancelled
  EXPECT_EQ(commands.Record().EDITOR, "/usr/bin/less");
}

TEST_F(SettingsDialogs, AFailedSaveShowsOneBoxAndKeepsTheValues) {
  std::filesystem::remove_all(dir.Path() / "ini");
  dir.Write("ini", "a file where the folder should be");
  port.parameters.push_back([](ParameterDialog& d) {
    d.Click(ParameterDialog::kCics);
    d.Ok();
  });
  commands.Parameter();
  EXPECT_EQ(port.errors, (std::vector<std::pair<std::string, std::string>>{
                             {"Can not open stelmar.ini", "Stelmar Error Message"}}));
  EXPECT_EQ(commands.Record().TYPE, "CICS");
}

}  // namespace
}  // namespace stelmar
