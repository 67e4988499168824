#include "stelmar/core/commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

#include "scripted_stelmar_port.h"
#include "stelmar/core/menu.h"
#include "support/golden.h"
#include "support/temp_dir.h"

namespace stelmar {
namespace {

namespace fs = std::filesystem;
using korvane::testing::ExpectGolden;
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

  // The job files a command left, with what it showed and started: one text.
  std::string Record(const std::vector<std::string>& files, std::size_t calls) {
    std::string all = port.transcript;
    for (const std::string& name : files) {
      all +=
          "== " + name + (fs::exists(dir.Path() / name) ? "\n" : " (missing)\n") + dir.Read(name);
    }
    // The stand-ins start in any order: their log is compared sorted.
    std::vector<std::string> lines;
    std::istringstream log(calls == 0 ? std::string() : Calls(calls));
    for (std::string line; std::getline(log, line);) lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    all += "== started\n";
    for (const auto& line : lines) all += line + "\n";
    return all;
  }

  TempDir dir;
  int hundredths = 7;
  ScriptedStelmarPort port;
  ProcessStarter starter;
  StelmarCommands commands;
};

TEST_F(Commands, EveryMenuCommandWritesItsJobFileAndStartsItsTool) {
  port.multi.push_back([](MultiFileDialog& d) {
    d.MoveSelected({0, 1});
    d.Ok();
  });
  EXPECT_TRUE(commands.Execute(kCmdMorrel));
  PickFile("prog.old.pli");
  port.objects.push_back([](ObjectSelectionDialog& d) { d.Ok({1}); });
  EXPECT_TRUE(commands.Execute(kCmdWrapProgram));
  // Commands that choose no objects pass on the last program's data file.
  PickFile("prog.old.pli");
  EXPECT_TRUE(commands.Execute(kCmdWrapModule));
  PickFile("prog.old.pli");
  EXPECT_TRUE(commands.Execute(kCmdWrapTransaction));
  PickFile("prog.old.pli");
  port.objects.push_back([](ObjectSelectionDialog& d) { d.Ok({0, 1}); });
  EXPECT_TRUE(commands.Execute(kCmdWrapProcedures));
  const StelmarCommands& done = commands;
  EXPECT_EQ(done.Record().DATAFILE, dir / "out/prog.old.lab");
  port.openFiles.push_back(dir / "out/prog.old.lab");
  EXPECT_TRUE(commands.Execute(kCmdView));
  EXPECT_FALSE(commands.Execute(kCmdAbout));
  ExpectGolden("stelmar/commands.txt",
               Record({"work/9537", "work/9538", "work/9539", "work/95310", "work/95311",
                       "out/prog.old.obj", "out/prog.old.lab"},
                      6),
               {{"{dir}", dir.Path().string()}});
  // Every stand-in has ended and been collected: no zombies stay behind.
  for (int i = 0; i < 500 && starter.Running() > 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    starter.Reap();
  }
  EXPECT_EQ(starter.Running(), 0u);
}

// Cancelled selections leave an empty job file and start nothing.
TEST_F(Commands, CancelledSelectionsAndJobFilesThatCannotBeCreated) {
  commands.Execute(kCmdWrapModule);  // file selection cancelled
  PickFile("prog.old.pli");
  commands.Execute(kCmdWrapProgram);                         // FILE selection cancelled
  port.multi.push_back([](MultiFileDialog& d) { d.Ok(); });  // nothing chosen
  commands.Execute(kCmdMorrel);
  commands.Execute(kCmdView);
  EXPECT_EQ(starter.Running(), 0u);
  EXPECT_EQ(commands.Record().PROGNAME, "prog.old");  // chosen before the cancel

  // No work directory, or one that is gone: nothing is created anywhere.
  commands.Record().WORK_DIR = dir / "gone";
  commands.Execute(kCmdWrapTransaction);
  commands.Record().WORK_DIR = "";
  commands.Execute(kCmdWrapTransaction);
  // A work directory of 159 characters leaves no room for the file's name; cut to
  // fit, the path would name another file than the one the tool is given.
  std::string longWork = dir / "w";
  longWork += std::string(Field::kMaxLength - longWork.size(), 'w');
  fs::create_directories(longWork);
  commands.Record().WORK_DIR = longWork;
  commands.Execute(kCmdWrapTransaction);
  EXPECT_TRUE(fs::is_empty(longWork));
  ExpectGolden("stelmar/commands_refused.txt", Record({"work/9537", "work/9538", "work/9539"}, 0),
               {{"{work of 159}", longWork}, {"{dir}", dir.Path().string()}});
  EXPECT_FALSE(fs::exists(dir.Path() / "prog/calls.log"));
}

TEST(ProgramNameOf, CutsAtTheLastDotOfTheFileName) {
  EXPECT_EQ(ProgramName("/out/prog.old.pli"), "prog.old");
  EXPECT_EQ(ProgramName("/o.ut/prog"), "prog");
  EXPECT_EQ(ProgramName("prog.pli"), "prog");
}

}  // namespace
}  // namespace stelmar
