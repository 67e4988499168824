#include "korvane/core/project/reset_output.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unordered_set>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/project/directory_cleaner.h"
#include "project_fixture.h"
#include "support/golden.h"
#include "support/temp_dir.h"
#include "transcript.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::ExpectGolden;
using testing::FolderText;
using testing::ProjectFixture;
using testing::TempDir;
using testing::Transcript;

TEST(ResetOutputQuestion, NamesEveryFileThatWillGo) {
  std::vector<std::string> files;
  for (int i = 0; i < 12; ++i) files.push_back("/o/f" + std::to_string(i));
  ExpectGolden("project/reset_question.txt", ResetQuestion(files));
}

TEST(DirectoryCleaner, MasksDepthAndEmptyFolders) {
  EXPECT_TRUE(NameFitsCleanMask("src12345", "SRC####"));
  EXPECT_FALSE(NameFitsCleanMask("SRC12.cbl", "SRC####"));
  EXPECT_FALSE(NameFitsCleanMask("XSRC0001", "SRC####"));

  TempDir tmp;
  tmp.Write("F/SRC0001.cbl", "a");
  tmp.Write("F/keep.txt", "b");
  tmp.Write("F/sub/src0002", "c");
  tmp.Write("F/sub/deeper/SRC0003", "d");
  tmp.Write("E/sub/SRC0004", "e");
  const std::string dir = tmp.Path().string();
  EXPECT_EQ(CleanDirectory(dir, "F", 2, "SRC####"), 2);
  EXPECT_FALSE(fs::exists(tmp / "F/SRC0001.cbl"));
  EXPECT_FALSE(fs::exists(tmp / "F/sub/src0002"));
  EXPECT_TRUE(fs::exists(tmp / "F/keep.txt"));
  EXPECT_TRUE(fs::exists(tmp / "F/sub/deeper/SRC0003"));  // beyond the depth
  // A folder emptied completely goes, itself included.
  EXPECT_EQ(CleanDirectory(dir, "E", 2, ""), 1);
  EXPECT_FALSE(fs::exists(tmp / "E"));
  // Nothing for an empty dir or no depth.
  EXPECT_EQ(CleanDirectory("", "F", 3, ""), 0);
  EXPECT_EQ(CleanDirectory(dir, "F", 0, ""), 0);
  EXPECT_TRUE(fs::exists(tmp / "F/keep.txt"));
}

TEST(DirectoryCleaner, KeepsOnlyPlainFilesOfTheNamedFolderThatAreWrittenAgain) {
  TempDir tmp;
  tmp.Write("W/SRC0001.CBL", "a");
  tmp.Write("W/SRC0002.CBL", "b");
  tmp.Write("W/sub/SRC0001.CBL", "c");
  tmp.Write("target", "t");
  fs::create_symlink(tmp / "target", tmp / "W/SRC0003.CBL");
  const std::unordered_set<std::string> again{"SRC0001.CBL", "SRC0003.CBL"};
  CleanLimits limits;
  limits.keepNames = &again;
  EXPECT_EQ(CleanDirectory(tmp.Path().string(), "W", 2, "SRC####", limits), 4);
  EXPECT_EQ(tmp.Read("W/SRC0001.CBL"), "a");
  EXPECT_FALSE(fs::exists(tmp / "W/SRC0002.CBL"));
  EXPECT_FALSE(fs::exists(tmp / "W/sub/SRC0001.CBL"));                  // not the named folder
  EXPECT_FALSE(fs::exists(fs::symlink_status(tmp / "W/SRC0003.CBL")));  // a link always goes
  EXPECT_EQ(tmp.Read("target"), "t");
}

struct ResetFixture : ProjectFixture {
  ResetFixture() {
    base = (tmp.Path() / "job").string();
    fs::create_directories(base);
    frame().SetText(base);
    project.State().productName = "pay";
    project.State().systemName = "hr";
  }
  bool Exists(const std::string& rel) { return fs::exists(fs::symlink_status(base + "/" + rel)); }
  TempDir tmp;
  std::string base;
};

// The question names the files that go; WrapOut is searched two levels deep whatever the
// depth asked, and the person's own files in the base directory are never part of a reset.
TEST(ResetOutput, DeletesCollectedFilesAndCleansTheJobFolders) {
  ResetFixture f;
  for (const char* file :
       {"last.xml", "lastbatch.cmd", "pay.log", "PayHr_console.log", "WrapOut/a/r1.cbl",
        "Frames/SRC0001.lbl", "Workinp/SRC0001.cbl", "Work/tmp.dat", "WrapOut/a/b/too_deep.cbl",
        "Frames/MYCOPY", "PayHr.jwrap", "SourceCollection/prog.cbl", "notes.txt", "precious.doc"}) {
    f.tmp.Write(std::string("job/") + file, "x");
  }
  f.person.answers = {Button::Yes};
  Transcript t(f.person, f.status, f.base);
  ResetOutput(f.project, 99, f.base + "/Workinp");
  t.Expect("project/reset.txt");
  ExpectGolden("project/reset_left.txt", FolderText(f.base));
}

TEST(ResetOutput, NoAndNothingFoundDeleteNothing) {
  ResetFixture f;
  f.tmp.Write("job/last.xml", "x");
  f.person.answers = {Button::No};
  ResetOutput(f.project, 99, f.base + "/Workinp");
  EXPECT_EQ(f.person.asked.size(), 1u);
  EXPECT_TRUE(f.Exists("last.xml"));

  ResetFixture g;
  g.tmp.Write("job/notes.txt", "x");
  g.tmp.Write("job/Work/tmp.dat", "x");
  ResetOutput(g.project, 99, g.base + "/Workinp");
  EXPECT_TRUE(g.person.asked.empty());
  EXPECT_TRUE(g.Exists("notes.txt"));
  EXPECT_TRUE(g.Exists("Work/tmp.dat"));
}

// The links themselves may go; their targets stay.
TEST(ResetOutput, NeverFollowsLinksOutOfTheJob) {
  ResetFixture f;
  const std::string outside = f.tmp.Write("outside/SRC0009.cbl", "precious");
  f.tmp.Write("outside/keep.txt", "precious");
  f.tmp.Write("job/last.xml", "x");
  f.tmp.Write("job/Work/tmp.dat", "x");
  fs::create_directory_symlink(f.tmp.Path() / "outside", f.base + "/WrapOut");
  fs::create_directory_symlink(f.tmp.Path() / "outside", f.base + "/Frames");
  fs::create_directory_symlink(f.tmp.Path() / "outside", f.base + "/Work/linked");
  fs::create_symlink(outside, f.base + "/last_link.cbl");
  f.person.answers = {Button::Yes};
  Transcript t(f.person, f.status, f.tmp.Path().string());
  ResetOutput(f.project, 99, f.base + "/Workinp");
  t.Expect("project/reset_links.txt");
  ExpectGolden("project/reset_links_left.txt", FolderText(f.tmp.Path(), f.tmp.Path().string()));
}

TEST(ResetOutput, RefusesTheRootAndHome) {
  for (const std::string& dir : {std::string("/"), std::string(getenv("HOME"))}) {
    ResetFixture g;
    g.frame().SetText(dir);
    EXPECT_THROW(ResetOutput(g.project, 2), OperationAbort) << dir;
    EXPECT_TRUE(g.person.asked.empty());
  }
}

}  // namespace
}  // namespace korvane
