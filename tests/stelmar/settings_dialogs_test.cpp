#include "stelmar/core/settings_dialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "scripted_stelmar_port.h"
#include "stelmar/core/commands.h"
#include "stelmar/core/stelmar_ini.h"
#include "support/golden.h"
#include "support/temp_dir.h"

namespace stelmar {
namespace {

using korvane::testing::TempDir;
using testing::RecordingStarter;
using testing::ScriptedStelmarPort;

// Each test's dialogs, with what they showed and what a command left in the
// settings and in stelmar.ini, go to a transcript compared with a golden file.
class SettingsDialogs : public ::testing::Test {
 protected:
  SettingsDialogs() : commands(port, starter, dir / "ini/stelmar.ini") {
    commands.Start(dir / "prog");
  }
  void Note(const std::string& line) { port.transcript += line + "\n"; }
  void Left(const std::string& name, const Field& now, const Field& stored) {
    Note(name + " " + now.str() + ", stored " + stored.str());
  }
  Settings Stored() const {
    Settings s;
    ReadStelmarIni(dir / "ini/stelmar.ini", s);
    return s;
  }
  // Compared with "/" as the separator, which Windows paths mix with their own.
  void Expect(const std::string& golden) {
    std::string text = port.transcript;
#ifdef _WIN32
    std::replace(text.begin(), text.end(), '\\', '/');
#endif
    korvane::testing::ExpectGolden("stelmar/" + golden, text,
                                   {{"{dir}", dir.Path().generic_string()}});
  }
  TempDir dir;
  ScriptedStelmarPort port;
  RecordingStarter starter;
  StelmarCommands commands;
};

TEST_F(SettingsDialogs, ParameterShowsModulAsUtmAndOnlyCancelKeepsIt) {
  commands.Record().TYPE = "MODUL";
  const auto checked = [this](ParameterDialog& d) {
    Note("checked " + std::to_string(d.Checked()));
  };
  port.parameters.push_back(checked);
  commands.Parameter();  // cancelled
  Left("TYPE", commands.Record().TYPE, Stored().TYPE);
  port.parameters.push_back([](ParameterDialog& d) { d.Ok(); });
  commands.Parameter();
  Left("TYPE", commands.Record().TYPE, Stored().TYPE);
  port.parameters.push_back([](ParameterDialog& d) {
    d.Click(ParameterDialog::kIms);
    d.Ok();
  });
  commands.Parameter();
  Left("TYPE", commands.Record().TYPE, Stored().TYPE);
  port.parameters.push_back(checked);
  commands.Parameter();
  Expect("settings_parameter.txt");
}

TEST_F(SettingsDialogs, CopyDirectoriesReportTheFirstMissingAndStoreNothingUntilAllPass) {
  std::filesystem::create_directories(dir.Path() / "c1");
  port.copyDirectories.push_back([&](CopyDirectoriesDialog& d) {
    d.Fields() = {dir / "c1", dir / "c1", dir / "missing3", "", dir / "missing5"};
    Note(std::string("OK with two missing: ") + (d.Ok(port) ? "closes" : "stays"));
    Left("COPY_DIR 2", commands.Record().COPY_DIR[1], Stored().COPY_DIR[1]);
    d.Fields()[2] = "";
    d.Fields()[4] = "";
    Note(std::string("OK with none missing: ") + (d.Ok(port) ? "closes" : "stays"));
  });
  commands.CopyDirectories();
  Left("COPY_DIR 2", commands.Record().COPY_DIR[1], Stored().COPY_DIR[1]);
  port.copyDirectories.push_back([&](CopyDirectoriesDialog& d) {
    d.Fields()[0] = dir / "gone";
    Note(std::string("OK with the first missing: ") + (d.Ok(port) ? "closes" : "stays"));
  });
  commands.CopyDirectories();  // left by Cancel
  Left("COPY_DIR 1", commands.Record().COPY_DIR[0], Stored().COPY_DIR[0]);
  Expect("settings_copy_directories.txt");
}

TEST_F(SettingsDialogs, DirectoriesAreFilledByBrowsing) {
  std::filesystem::create_directories(dir.Path() / "top/b_sub");
  std::filesystem::create_directories(dir.Path() / "top/a_sub");
  commands.Record().WORK_DIR = dir / "top";
  commands.Record().INPUT_DIR = dir / "top/a_sub";
  port.directories.push_back([&](DirectoriesDialog& d) {
    d.Browse(DirectoriesDialog::kWork);
    d.Browse(DirectoriesDialog::kInput);
    d.Ok();
  });
  port.browsers.push_back([&](DirectoryBrowser& b) {
    Note("in " + b.Directory());
    b.Select(2);
    Note("selected 2: in " + b.Directory());
    b.Ok();
  });
  commands.Directories();  // the second browser is cancelled: its field stays
  Left("WORK_DIR", commands.Record().WORK_DIR, Stored().WORK_DIR);
  Left("INPUT_DIR", commands.Record().INPUT_DIR, Stored().INPUT_DIR);
  Expect("settings_directories.txt");
}

TEST_F(SettingsDialogs, EditorTakesTheSearchedOrTypedPath) {
  Note("default " + commands.Record().EDITOR.str());
  port.openFiles.push_back(std::string("/usr/bin/less"));
  port.editors.push_back([this](EditorDialog& d) {
    d.Search();
    Note("searched " + d.Value().str());
    d.Ok();
  });
  commands.Editor();
  Left("EDITOR", commands.Record().EDITOR, Stored().EDITOR);
  port.editors.push_back([](EditorDialog& d) { d.SetValue(std::string(300, 'e')); });
  commands.Editor();  // cancelled
  Left("EDITOR", commands.Record().EDITOR, Stored().EDITOR);
  Expect("settings_editor.txt");
}

TEST_F(SettingsDialogs, AFailedSaveShowsOneBoxAndKeepsTheValues) {
  std::filesystem::remove_all(dir.Path() / "ini");
  dir.Write("ini", "a file where the folder should be");
  port.parameters.push_back([](ParameterDialog& d) {
    d.Click(ParameterDialog::kCics);
    d.Ok();
  });
  commands.Parameter();
  Note("TYPE " + commands.Record().TYPE.str());
  Expect("settings_failed_save.txt");
}

}  // namespace
}  // namespace stelmar
