#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>

#include <filesystem>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/text.h"
#include "korvane/core/prepare/prepare_fixture.h"

namespace korvane::testing {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

bool Exists(const std::string& path) {
  return fs::exists(fs::symlink_status(path));
}

struct Built : PrepareFixture {
  Built() {
    preparation.SetWrapRequested(true);
    dir.Write("job/CopyCollection/CUSTREC.cpy", "       01 CUST PIC X.\r\n       COPY NESTED.\r\n");
    dir.Write("tools/Copylib/marker", "");
    dir.Write("tools/Copylib/FRAME.cpy", "frame");
    dir.Write("tools/Copylib/sub/DEEP.cpy", "deep");
    AddSource("PAYROLL.cobol", "       COPY CUSTREC.\r\n       COPY MISSING.\r\n       END.\r\n");
    AddSource("SKIP.cbl", "x\r\n", true, false);
    AddSource("NOLABEL.cbl", "y\r\n", false, true, "Intr");
  }
  void Build(bool countOnly = false) {
    try {
      preparation.BuildInputStructure(countOnly);
    } catch (const OperationAbort&) {
      ++aborts;
    }
  }
};

TEST(InputStructure, BuildsNumberedInputLabelsMembersAndControlFiles) {
  Built f;
  f.dir.Write("job/Workinp/SRC0009.CBL", "stale");
  f.dir.Write("job/LAST0001.LOG", "run file");
  f.dir.Write("job/keep.txt", "mine");
  Texts warnings;
  f.status.onMessage = [&](StatusMessageKind kind, const std::string& text) {
    if (kind == StatusMessageKind::Warning) warnings.push_back(text);
  };
  f.person.answers = {Button::Yes};
  f.Build();
  ASSERT_EQ(f.aborts, 0) << f.status.MessageList();
  ASSERT_EQ(f.person.asked.size(), 1u);
  EXPECT_EQ(f.person.asked[0].text, "Your current output directory \r\n" + f.Base() +
                                        "\r\nhasn't been used yet\r\ndo you really want to use "
                                        "this directory for output?");

  // In list order: PAYROLL.cobol SRC0001, SKIP.cbl unchecked, NOLABEL.cbl SRC0002.
  EXPECT_EQ(f.dir.Read("job/Workinp/SRC0002.CBL"), "y\r\n");
  EXPECT_EQ(f.dir.Read("job/Workinp/SRC0001.COB"),
            "insert*COPY CUSTREC.\r\ninsert 01 CUST PIC X.\r\ninsert COPY NESTED.\r\n"
            "       COPY MISSING.\r\n       END.\r\n");
  EXPECT_FALSE(Exists(f.dir / "job/Workinp/SRC0009.CBL"));
  EXPECT_FALSE(Exists(f.dir / "job/LAST0001.LOG"));
  EXPECT_TRUE(Exists(f.dir / "job/keep.txt"));
  EXPECT_EQ(f.dir.Read("job/Frames/SRC0001.LAB"), "LABEL-PAYROLL.cobol\r\n");
  EXPECT_FALSE(Exists(f.dir / "job/Frames/SRC0002.LAB"));
  EXPECT_EQ(f.dir.Read("job/Frames/FRAME.cpy"), "frame");
  EXPECT_FALSE(Exists(f.dir / "job/Frames/DEEP.cpy"));  // looked for beside the marker only
  for (const char* d : {"Work", "WrapOut"})
    EXPECT_TRUE(fs::is_directory(f.dir / ("job/" + std::string(d))));

  // The interface source without a label: written this run, then unchecked and disabled.
  EXPECT_FALSE(f.sources().Items()[2].checked || f.sources().Items()[2].enabled);
  EXPECT_TRUE(f.sources().Items()[1].enabled);
  EXPECT_EQ(f.dir.Read("job/last.xml"), JoinLinesCrLf(f.preparation.Parameters().xml));
  EXPECT_FALSE(Exists(f.dir / "job/lastbatch.cmd"));
  EXPECT_EQ(f.form.Get<Memo>(names::kMemoNewFileNames).Lines(), f.preparation.Parameters().nameMap);
  EXPECT_EQ(f.form.Get<Memo>(names::kMemoLongExtension).Lines(),
            (Texts{".cobol=.COB", ".COB=.cobol"}));

  // The report: lines per source, the member that resolved a copy, the name not found,
  // the copy inside the member; one warning with the count.
  const auto& report = f.preparation.Report().Sources();
  ASSERT_EQ(report.size(), 2u);
  EXPECT_EQ(report[0].fileName, "PAYROLL.cobol");
  EXPECT_EQ(report[0].lines, 5);
  ASSERT_EQ(report[0].copies.resolved.size(), 1u);
  EXPECT_EQ(report[0].copies.resolved[0].member, f.dir / "job/CopyCollection/CUSTREC.cpy");
  EXPECT_EQ(report[0].copies.unresolved, (Texts{"missing"}));
  ASSERT_EQ(report[0].copies.nested.size(), 1u);
  EXPECT_EQ(report[0].copies.nested[0].name, "nested");
  EXPECT_EQ(f.sourceLines, 6);
  const Texts printed = f.preparation.Report().Format();
  ASSERT_EQ(printed.size(), 6u);
  EXPECT_EQ(printed[0], "Preparation report: 2 sources, 6 lines, 1 unresolved copy statements");
  EXPECT_EQ(printed[1], "PAYROLL.cobol -> SRC0001.COB: 5 lines");
  EXPECT_EQ(printed[3], "  copy missing not found");
  EXPECT_EQ(printed[5], "NOLABEL.cbl -> SRC0002.CBL: 1 lines");
  EXPECT_EQ(warnings, (Texts{"Some input files cannot be found!",  // NOLABEL.cbl's label
                             "Some input files cannot be found!",  // the member in a subfolder
                             "Copy statements not resolved: 1 (the sources are prepared "
                             "without them)"}));
  EXPECT_EQ(f.sourceFiles, 2);
  EXPECT_EQ(f.form.Get<Page>(names::kPageSources).Caption(), "Source files to be wrapped(3)");
  EXPECT_FALSE(f.form.Get<GroupBox>(names::kGroupProgress).Visible());
}

// Thousands of files deleted and created again cost far more than rewriting them.
TEST(InputStructure, APreparationAgainRewritesItsFilesInPlaceAndDropsStaleOnes) {
  Built f;
  f.person.answers = {Button::Yes};
  f.Build();
  ASSERT_EQ(f.aborts, 0) << f.status.MessageList();
  const auto inode = [&f](const char* rel) {
    struct stat st {};
    return ::stat((f.dir / rel).c_str(), &st) == 0 ? st.st_ino : 0;
  };
  const ino_t input = inode("job/Workinp/SRC0001.COB");
  const ino_t label = inode("job/Frames/SRC0001.LAB");
  const std::string prepared = f.dir.Read("job/Workinp/SRC0001.COB");
  f.dir.Write("job/Workinp/SRC0007.CBL", "stale");
  f.dir.Write("job/Frames/SRC0002.LAB", "stale label");  // NOLABEL.cbl has none
  f.Build();                                             // no question: the folder was used
  ASSERT_EQ(f.aborts, 0) << f.status.MessageList();
  EXPECT_EQ(inode("job/Workinp/SRC0001.COB"), input);
  EXPECT_EQ(inode("job/Frames/SRC0001.LAB"), label);
  EXPECT_EQ(f.dir.Read("job/Workinp/SRC0001.COB"), prepared);
  EXPECT_FALSE(Exists(f.dir / "job/Workinp/SRC0007.CBL"));
  EXPECT_FALSE(Exists(f.dir / "job/Frames/SRC0002.LAB"));
}

TEST(InputStructure, MultiEntityWritesTheBatchFileAndCountOnlySavesNothing) {
  Built f;
  f.multi = true;
  f.dir.Write("job/last.xml", "old");
  f.Build(true);
  EXPECT_EQ(f.aborts, 0);
  EXPECT_TRUE(f.person.asked.empty());
  EXPECT_TRUE(Exists(f.dir / "job/Workinp/SRC0001.COB"));
  EXPECT_EQ(f.dir.Read("job/last.xml"), "old");
  EXPECT_FALSE(Exists(f.dir / "job/functab.wrl"));

  Built g;
  g.multi = true;
  g.dir.Write("job/last.xml", "old");
  g.form.Get<Page>(names::kPageWordScan).SetVisible(true);
  g.form.Get<CheckList>(names::kListControlTags).Add({"INPT CUSTOMER", true, true});
  g.Build();
  EXPECT_EQ(g.dir.Read("job/lastbatch.cmd"),
            "ECHO ON\r\n\"/tools/Ardent\" last.xml;0001 \r\n\"/tools/Ardent\" last.xml;0002 \r\n");
  EXPECT_EQ(g.dir.Read("job/functab.wrl"), "0001 08 INPT CUSTOMER\r\n");
}

TEST(InputStructure, PreflightRefusalsAndTheUnusedDirectoryQuestion) {
  Built f;
  f.system = "1ABC";
  f.Build();
  EXPECT_EQ(f.status.Text(), "System name name missing or incorrect");

  f.system = "SYS";
  for (auto& item : f.sources().MutableItems()) item.checked = false;
  f.Build();
  EXPECT_EQ(f.status.Text(), "No files are selected for processing!");
  EXPECT_EQ(f.form.Get<PageControl>(names::kPageControlMain).ActivePage(), names::kPageNames);

  Built g;
  fs::remove_all(g.dir / "job");
  g.Build();
  EXPECT_EQ(g.status.Text(), "Output directory error - Directory doesn't exist");

  Built h;
  h.dir.Write("job/Frames/SRC0001.LAB", "old");
  h.person.answers = {Button::No};
  h.Build();
  EXPECT_EQ(h.status.Text(), "Go and select another output directory,and then try again");
  EXPECT_FALSE(Exists(h.dir / "job/Frames/SRC0001.LAB"));
  EXPECT_FALSE(Exists(h.dir / "job/WrapOut"));
  EXPECT_FALSE(Exists(h.dir / "job/last.xml"));
  EXPECT_FALSE(h.form.Get<GroupBox>(names::kGroupProgress).Visible());
}

TEST(InputStructure, StopRequestAsksAndLinksAreRemovedNotFollowed) {
  Built f;
  f.dir.Write("job/last.xml", "old");
  const std::string outside = f.dir.Write("outside/SRC0001.CBL", "precious");
  fs::create_directories(f.dir / "job");
  fs::create_directory_symlink(f.dir / "outside", f.dir / "job/Workinp");
  fs::create_directories(f.dir / "job/Frames");
  fs::create_symlink(outside, f.dir / "job/Frames/SRC0001.LAB");
  fs::remove(f.dir / "job/last.xml");
  fs::create_symlink(outside, f.dir / "job/last.xml");

  int stops = 0;
  const Connection watch = f.form.Get<GroupBox>(names::kGroupProgress).changed.Connect([&] {
    if (StartsWithCase("Building input structure, Processing",
                       f.form.Get<GroupBox>(names::kGroupProgress).Caption()) &&
        stops++ == 0) {
      f.preparation.RequestStop();
    }
  });
  f.person.answers = {Button::No};  // go on after the first stop request
  f.Build();
  ASSERT_EQ(f.aborts, 0) << f.status.MessageList();
  EXPECT_EQ(f.person.AskedTexts(),
            (Texts{"The User requested to stop the process, please confirm?"}));
  EXPECT_EQ(f.dir.Read("outside/SRC0001.CBL"), "precious");
  EXPECT_FALSE(fs::is_symlink(f.dir / "job/Workinp"));
  EXPECT_FALSE(fs::is_symlink(f.dir / "job/last.xml"));
  EXPECT_EQ(f.dir.Read("job/Frames/SRC0001.LAB"), "LABEL-PAYROLL.cobol\r\n");

  stops = 0;
  f.person.answers = {Button::Yes};
  f.Build();
  EXPECT_EQ(f.status.Text(), "Process aborted on user request!");
  EXPECT_FALSE(f.preparation.Busy());
  EXPECT_EQ(f.person.pendingEventCalls > 0, true);
}

TEST(ResultFiles, RenameBelowWrapOutAndDeleteTheStructure) {
  Built f;
  f.dir.Write("job/last.xml", "old");
  f.Build();
  const std::string outside = f.dir.Write("outside.txt", "keep");
  f.dir.Write("job/WrapOut/SRC0001.xml", "result");
  f.dir.Write("job/WrapOut/sub/SRC0001.lst", "listing");
  f.dir.Write("job/WrapOut/PAYROLL.xml", "older");
  f.dir.Write("job/WrapOut/SRC0001A.txt", "stray");
  f.dir.Write("job/WrapOut/notes.txt", "mine");
  fs::create_symlink(outside, f.dir / "job/WrapOut/SRC0077.txt");

  f.flags.renameAfter = false;
  f.preparation.RenameResults();
  EXPECT_TRUE(Exists(f.dir / "job/WrapOut/SRC0001.xml"));
  f.flags.renameAfter = true;
  f.preparation.RenameResults();
  EXPECT_EQ(f.dir.Read("job/WrapOut/PAYROLL.xml"), "result");
  EXPECT_EQ(f.dir.Read("job/WrapOut/sub/PAYROLL.lst"), "listing");
  EXPECT_FALSE(Exists(f.dir / "job/WrapOut/SRC0001A.txt"));
  EXPECT_FALSE(Exists(f.dir / "job/WrapOut/SRC0077.txt"));
  EXPECT_EQ(f.dir.Read("outside.txt"), "keep");
  EXPECT_TRUE(Exists(f.dir / "job/WrapOut/notes.txt"));
  EXPECT_EQ(f.form.Get<GroupBox>(names::kGroupProgress).Caption(), "Rename result files");

  f.preparation.DeleteFilesAfter();  // off by default
  EXPECT_TRUE(Exists(f.dir / "job/Workinp/SRC0001.COB"));
  f.flags.deleteAfter = true;
  f.dir.Write("job/Work/tmp/x", "");
  f.preparation.DeleteFilesAfter();
  EXPECT_FALSE(Exists(f.dir / "job/Workinp"));
  EXPECT_FALSE(Exists(f.dir / "job/Frames"));
  EXPECT_FALSE(Exists(f.dir / "job/Work/tmp/x"));
  EXPECT_TRUE(Exists(f.dir / "job/last.xml"));
  EXPECT_TRUE(Exists(f.dir / "job/LabelCollection"));
  f.flags.systemDeleteAfterControl = true;
  f.dir.Write("job/LAST0002.TXT", "");
  f.preparation.DeleteFilesAfter();
  EXPECT_FALSE(Exists(f.dir / "job/last.xml"));
  EXPECT_FALSE(Exists(f.dir / "job/LAST0002.TXT"));
  EXPECT_TRUE(Exists(f.dir / "job/WrapOut/PAYROLL.xml"));
}

// Only results not older than the run's start are the run's; a result whose name is
// blocked keeps its number and is named with the reason.
TEST(ResultFiles, CountOnlyThisRunsResultsAndNameTheOnesThatCannotGoBack) {
  Built f;
  f.dir.Write("job/last.xml", "old");
  f.Build();
  const std::string earlier = f.dir.Write("job/WrapOut/OLDRUN.xml", "earlier run");
  fs::last_write_time(earlier, fs::file_time_type::clock::now() - std::chrono::hours(1));
  f.preparation.SetRunStart(fs::file_time_type::clock::now() - std::chrono::minutes(1));
  f.flags.renameAfter = true;
  f.preparation.RenameResults();
  EXPECT_EQ(f.preparation.LastRename().written, 0);  // a crashed run wrote nothing
  EXPECT_EQ(f.preparation.LastRename().renamed, 0);

  f.dir.Write("job/WrapOut/SRC0001.xml", "result");
  f.dir.Write("job/WrapOut/SRC0001.lst", "listing");
  fs::create_directories(f.dir / "job/WrapOut/PAYROLL.lst");  // blocks that result's name
  f.preparation.RenameResults();
  const RenameOutcome& outcome = f.preparation.LastRename();
  EXPECT_EQ(outcome.written, 2);
  EXPECT_EQ(outcome.renamed, 1);
  EXPECT_EQ(f.dir.Read("job/WrapOut/PAYROLL.xml"), "result");
  ASSERT_EQ(outcome.failures.size(), 1u);
  EXPECT_NE(outcome.failures[0].find("SRC0001.lst to PAYROLL.lst: "), std::string::npos)
      << outcome.failures[0];
  EXPECT_TRUE(Exists(f.dir / "job/WrapOut/SRC0001.lst"));
  EXPECT_EQ(f.dir.Read("job/WrapOut/OLDRUN.xml"), "earlier run");  // never touched
}

}  // namespace
}  // namespace korvane::testing
