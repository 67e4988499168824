#include "stelmar/core/commands.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "scripted_stelmar_port.h"
#include "stelmar/core/menu.h"
#include "support/temp_dir.h"

namespace stelmar {
namespace {

namespace fs = std::filesystem;
using korvane::testing::TempDir;
using testing::ScriptedStelmarPort;

// Every command against stand-in tools: the program folder holds links named
// like the tools to a program that logs how it was started.
class Commands : public ::testing::Test {
 protected:
  Commands() : commands(port, starter, dir / "stelmar.ini", [this] { return NextTime(); }) {
    fs::create_directories(dir.Path() / "prog");
    for (const char* tool : {"belmont", "dalmer", "ardent", "corvid", "morrel", "lumbra"})
      fs::create_symlink(STELMAR_STANDIN, dir.Path() / "prog" / tool);
    dir.Write("prog/file.ext", "pli\n");
    for (const char* sub : {"in", "out", "work"}) fs::create_directories(dir.Path() / sub);
    dir.Write("in/a.pli", "");
    dir.Write("in/b.pli", "");
    dir.Write("in/COPYBOOK", "");
    dir.Write("out/prog.old.pli", "DCL IN FILE; DCL OUT FILE;\nMAIN: PROC;\nSUB: PROCEDURE;\n");
    commands.Start(dir / "prog");
    Settings& s = commands.Record();
    s.INPUT_DIR = dir / "in";
    s.OUTPUT_DIR = dir / "out";
    s.WORK_DIR = dir / "work";
  }

  TimeOfDay NextTime() { return {9, 5, 3, hundredths++}; }

  // Waits for the stand-in's log to hold the given number of lines.
  std::string Calls(std::size_t lines) {
    std::string log;
    for (int i = 0; i < 500; ++i) {
      log = dir.Read("prog/calls.log");
      if (static_cast<std::size_t>(std::count(log.begin(), log.end(), '\n')) >= lines) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return log;
  }

  void PickFile(const std::string& name) {
    port.single.push_back([name](SingleFileDialog& d) {
      for (std::size_t i = 0; i < d.Entries().size(); ++i) {
        if (d.Entries()[i] == name) d.Select(i);
      }
      d.Ok();
    });
  }

  std::string Sections(const std::string& files) const {
    const Settings& s = commands.Record();
    return "[Directories]\r\nINPUT_DIR=" + dir / "in" + "\r\nWORK_DIR=" + dir / "work" +
           "\r\nOUTPUT_DIR=" + dir / "out" +
           "\r\nCOPY_DIR_1=\r\nCOPY_DIR_2=\r\nCOPY_DIR_3=\r\nCOPY_DIR_4=\r\nCOPY_DIR_5=\r\n"
           "[Files]\r\n" +
           files + "[Options]\r\nTYPE=UTM\r\nEDITOR=" + s.EDITOR.str() + "\r\n";
  }

  TempDir dir;
  int hundredths = 7;
  ScriptedStelmarPort port;
  ProcessStarter starter;
  StelmarCommands commands;
};

TEST_F(Commands, EveryMenuCommandWritesItsJobFileAndStartsItsTool) {
  const std::string work = dir / "work";
  const std::string out = dir / "out";

  port.multi.push_back([](MultiFileDialog& d) {
    EXPECT_EQ(d.Caption(), "Morrel File Selection");
    EXPECT_EQ(d.Available(), (std::vector<std::string>{"a.pli", "b.pli", "COPYBOOK"}));
    d.MoveSelected({0, 1});
    d.Ok();
  });
  EXPECT_TRUE(commands.Execute(kCmdMorrel));
  EXPECT_EQ(dir.Read("work/9537"),
            "A.PLI\r\nB.PLI\r\nEOF\r\n" + Sections("PROGFILE=\r\nPROGNAME=\r\nDATAFILE=\r\n"));

  PickFile("prog.old.pli");
  port.objects.push_back([](ObjectSelectionDialog& d) {
    EXPECT_EQ(d.Caption(), "FILE Selection [prog.old.pli]");
    EXPECT_EQ(d.Entries(), (std::vector<std::string>{"IN", "OUT"}));
    d.Ok({1});
  });
  EXPECT_TRUE(commands.Execute(kCmdWrapProgram));
  const std::string programFiles = "PROGFILE=" + out + "/prog.old.pli\r\nPROGNAME=prog.old\r\n" +
                                   "DATAFILE=" + out + "/prog.old.obj\r\n";
  EXPECT_EQ(dir.Read("work/9538"), Sections(programFiles));
  EXPECT_EQ(dir.Read("out/prog.old.obj"), "OUT\r\n");

  // Commands that choose no objects pass on the last program's data file.
  PickFile("prog.old.pli");
  EXPECT_TRUE(commands.Execute(kCmdWrapModule));
  EXPECT_EQ(dir.Read("work/9539"), Sections(programFiles));
  PickFile("prog.old.pli");
  EXPECT_TRUE(commands.Execute(kCmdWrapTransaction));
  EXPECT_EQ(dir.Read("work/95310"), Sections(programFiles));

  PickFile("prog.old.pli");
  port.objects.push_back([](ObjectSelectionDialog& d) {
    EXPECT_EQ(d.Caption(), "Procedure Selection [prog.old.pli]");
    d.Ok({0, 1});
  });
  EXPECT_TRUE(commands.Execute(kCmdWrapProcedures));
  EXPECT_EQ(dir.Read("out/prog.old.lab"), "MAIN\r\nSUB\r\n");
  EXPECT_EQ(commands.Record().DATAFILE, out + "/prog.old.lab");

  port.openFiles.push_back(out + "/prog.old.lab");
  EXPECT_TRUE(commands.Execute(kCmdView));
  EXPECT_EQ(port.openFileStartDirs, (std::vector<std::string>{out}));

  EXPECT_FALSE(commands.Execute(kCmdAbout));
  EXPECT_TRUE(port.errors.empty());

  std::string log = Calls(6);
  for (const std::string& expected :
       {"morrel\t" + work + "/9537\n", "ardent\t" + work + "/9538\n",
        "belmont\t" + work + "/9539\n", "dalmer\t" + work + "/95310\n",
        "corvid\t" + work + "/95311\n", "lumbra\t" + out + "/prog.old.lab\n"}) {
    EXPECT_NE(log.find(expected), std::string::npos) << expected << " in\n" << log;
  }
  // Every stand-in has ended and been collected: no zombies stay behind.
  for (int i = 0; i < 500 && starter.Running() > 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    starter.Reap();
  }
  EXPECT_EQ(starter.Running(), 0u);
}

TEST_F(Commands, CancelledSelectionsLeaveAnEmptyJobFileAndStartNothing) {
  commands.Execute(kCmdWrapModule);  // file selection cancelled
  PickFile("prog.old.pli");
  commands.Execute(kCmdWrapProgram);                         // FILE selection cancelled
  port.multi.push_back([](MultiFileDialog& d) { d.Ok(); });  // nothing chosen
  commands.Execute(kCmdMorrel);
  commands.Execute(kCmdView);
  for (const char* name : {"work/9537", "work/9538", "work/9539"}) {
    EXPECT_TRUE(fs::exists(dir.Path() / name)) << name;
    EXPECT_EQ(dir.Read(name), "") << name;
  }
  EXPECT_EQ(port.errors.size(), 1u);  // "No File selected"
  EXPECT_EQ(starter.Running(), 0u);
  EXPECT_FALSE(fs::exists(dir.Path() / "prog/calls.log"));
  EXPECT_EQ(commands.Record().PROGNAME, "prog.old");  // chosen before the cancel
}

TEST_F(Commands, AJobFileThatCannotBeCreatedStopsTheCommand) {
  commands.Record().WORK_DIR = dir / "gone";
  commands.Execute(kCmdWrapTransaction);
  ASSERT_EQ(port.errors.size(), 1u);
  EXPECT_EQ(port.errors[0].first, "Can not open " + dir / "gone/9537");
  EXPECT_EQ(port.errors[0].second, "Stelmar Error Message");
  EXPECT_EQ(port.dialogsShown, 0);

  // No work directory at all: nothing is created anywhere, in the root least of all.
  commands.Record().WORK_DIR = "";
  commands.Execute(kCmdWrapTransaction);
  ASSERT_EQ(port.errors.size(), 2u);
  EXPECT_EQ(port.errors[1].first, "No work directory is set: choose one with Directories");
  EXPECT_EQ(port.dialogsShown, 0);

  // A work directory of 159 characters leaves no room for the file's name; cut to
  // fit, the path would name another file than the one the tool is given.
  std::string longWork = dir / "w";
  longWork += std::string(Field::kMaxLength - longWork.size(), 'w');
  fs::create_directories(longWork);
  commands.Record().WORK_DIR = longWork;
  commands.Execute(kCmdWrapTransaction);
  ASSERT_EQ(port.errors.size(), 3u);
  EXPECT_EQ(port.errors[2].first,
            "The work directory is too long for a job parameter file:\n" + longWork + "/9538");
  EXPECT_TRUE(fs::is_empty(longWork));
  EXPECT_EQ(port.dialogsShown, 0);
}

TEST(ProgramNameOf, CutsAtTheLastDotOfTheFileName) {
  EXPECT_EQ(ProgramName("/out/prog.old.pli"), "prog.old");
  EXPECT_EQ(ProgramName("/o.ut/prog"), "prog");
  EXPECT_EQ(ProgramName("prog.pli"), "prog");
}

}  // namespace
}  // namespace stelmar
