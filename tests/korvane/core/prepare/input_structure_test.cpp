#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/text.h"
#include "korvane/core/prepare/prepare_fixture.h"
#include "korvane/core/project/transcript.h"

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
  // Through the two commands the person has, so that each is tied to its own mode.
  void Build(bool countOnly = false) {
    try {
      actions.Get(countOnly ? "ActCountLinesOnly" : "ActCopyFiles").Invoke();
    } catch (const OperationAbort&) {
      ++aborts;
    }
  }
};

// In list order: PAYROLL.cobol SRC0001, SKIP.cbl unchecked, NOLABEL.cbl SRC0002. Stale
// numbered inputs and run files go, the person's own stay; members come from the copy
// collection and from beside the copy library's marker only; the report names the member
// that resolved a copy, the name not found and the copy inside the member.
TEST(InputStructure, BuildsNumberedInputLabelsMembersAndControlFiles) {
  Built f;
  f.dir.Write("job/Workinp/SRC0009.CBL", "stale");
  f.dir.Write("job/LAST0001.LOG", "run file");
  f.dir.Write("job/keep.txt", "mine");
  f.person.answers = {Button::Yes};
  Transcript t(f.person, f.status, f.dir.Path().string());
  f.Build();
  ASSERT_EQ(f.aborts, 0) << f.status.MessageList();
  for (const std::string& line : f.preparation.Report().Format()) t.Note(line);
  // The interface source without a label was written this run, then unchecked and disabled.
  for (const auto& item : f.sources().Items()) {
    t.Note(item.text + " checked " + YesNo(item.checked) + " enabled " + YesNo(item.enabled));
  }
  for (const auto* memo : {names::kMemoNewFileNames, names::kMemoLongExtension}) {
    for (const std::string& line : f.form.Get<Memo>(memo).Lines()) t.Note(memo + (": " + line));
  }
  t.Note("files " + std::to_string(f.sourceFiles) + ", lines " + std::to_string(f.sourceLines) +
         ", page " + f.form.Get<Page>(names::kPageSources).Caption() + ", progress shown " +
         YesNo(f.form.Get<GroupBox>(names::kGroupProgress).Visible()));
  t.Expect("prepare/build.txt");
  ExpectGolden("prepare/built_job.txt", FolderText(f.dir / "job", f.dir.Path().string()));
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

// Each refusal with its messages, the page and the progress shown, and the job folder
// after it: a bad name, no checked source, no base folder, and a used folder the person
// does not want to reuse, which is cleaned but not prepared.
TEST(InputStructure, PreflightRefusalsAndTheUnusedDirectoryQuestion) {
  std::string text;
  for (const char* what : {"system name 1ABC", "nothing checked", "no folder", "used: No"}) {
    Built f;
    Transcript t(f.person, f.status, f.dir.Path().string());
    const std::string_view refusal = what;
    if (refusal == "system name 1ABC") f.system = "1ABC";
    if (refusal == "nothing checked") {
      for (auto& item : f.sources().MutableItems()) item.checked = false;
    }
    if (refusal == "no folder") fs::remove_all(f.dir / "job");
    if (refusal == "used: No") {
      f.dir.Write("job/Frames/SRC0001.LAB", "old");
      f.person.answers = {Button::No};
    }
    f.Build();
    t.Note("page " + f.form.Get<PageControl>(names::kPageControlMain).ActivePage() +
           ", progress shown " + YesNo(f.form.Get<GroupBox>(names::kGroupProgress).Visible()));
    text += "== " + std::string(what) + "\n" + t.Text() +
            (Exists(f.dir / "job") ? FolderText(f.dir / "job", f.dir.Path().string()) : "");
  }
  ExpectGolden("prepare/refusals.txt", text);
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
  bool busyWhileAsked = false;  // the gate keeps commands out until the person answered
  const Connection watch = f.form.Get<GroupBox>(names::kGroupProgress).changed.Connect([&] {
    if (StartsWithCase("Building input structure, Processing",
                       f.form.Get<GroupBox>(names::kGroupProgress).Caption()) &&
        stops++ == 0) {
      f.preparation.RequestStop();
      busyWhileAsked = f.preparation.Busy();
    }
  });
  f.person.answers = {Button::No};  // go on after the first stop request
  f.Build();
  ASSERT_EQ(f.aborts, 0) << f.status.MessageList();
  EXPECT_TRUE(busyWhileAsked);
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
  EXPECT_EQ(f.person.pendingEventCalls, 0);  // the loop never turns the window's events
}

// With a window the copy loop runs in posted steps: the call returns before anything is
// copied, the preparation stays busy between the steps, and what follows runs after the
// last one, which leaves the same structure as a preparation in one go.
TEST(InputStructure, StepsBetweenEventsBuildWhatOneGoBuilds) {
  Built whole;
  whole.person.answers = {Button::Yes};
  whole.Build();
  ASSERT_EQ(whole.aborts, 0) << whole.status.MessageList();

  Built f;
  std::deque<std::function<void()>> posted;
  f.preparation.SetStepPoster([&](std::function<void()> step) { posted.push_back(step); });
  f.person.answers = {Button::Yes};
  bool wentOn = false;
  f.preparation.BuildInputStructure(false, [&] { wentOn = true; });
  EXPECT_TRUE(f.preparation.Busy());
  EXPECT_FALSE(Exists(f.dir / "job/Workinp/SRC0001.CBL"));
  int steps = 0;
  for (; !posted.empty() && steps < 100; ++steps) {
    EXPECT_FALSE(wentOn);
    auto step = std::move(posted.front());
    posted.pop_front();
    step();
  }
  EXPECT_GT(steps, 1);
  EXPECT_TRUE(wentOn);
  EXPECT_FALSE(f.preparation.Busy());
  EXPECT_FALSE(f.form.Get<GroupBox>(names::kGroupProgress).Visible());
  const auto tree = [](Built& b) { return FolderText(b.dir / "job", b.dir.Path().string()); };
  EXPECT_EQ(tree(f), tree(whole));
  EXPECT_EQ(f.preparation.Report().Format().front(), whole.preparation.Report().Format().front());

  // A stop asked between two steps is confirmed at the next one, which ends it there.
  Built stopped;
  stopped.preparation.SetStepPoster([&](std::function<void()> step) { posted.push_back(step); });
  stopped.person.answers = {Button::Yes, Button::Yes};
  wentOn = false;
  stopped.preparation.BuildInputStructure(false, [&] { wentOn = true; });
  ASSERT_EQ(posted.size(), 1u);
  stopped.preparation.RequestStop();
  EXPECT_THROW(posted.front()(), OperationAbort);
  posted.pop_front();
  EXPECT_TRUE(posted.empty());
  EXPECT_FALSE(wentOn);
  EXPECT_FALSE(stopped.preparation.Busy());
  EXPECT_EQ(stopped.status.Text(), "Process aborted on user request!");
}

// Numbered results are renamed below WrapOut only when asked, links and strays removed;
// the structure is deleted after the run when asked, the control files only when asked too.
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
  const std::string tmp = f.dir.Path().string();
  std::string text;
  auto step = [&](const std::string& what, auto&& action) {
    action();
    text += "-- " + what + "\n" + FolderText(f.dir / "job", tmp);
  };
  f.flags.renameAfter = false;
  step("not renamed", [&] { f.preparation.RenameResults(); });
  f.flags.renameAfter = true;
  step("renamed", [&] { f.preparation.RenameResults(); });
  EXPECT_EQ(f.form.Get<GroupBox>(names::kGroupProgress).Caption(), "Rename result files");
  step("no delete by default", [&] { f.preparation.DeleteFilesAfter(); });
  f.flags.deleteAfter = true;
  f.dir.Write("job/Work/tmp/x", "");
  step("deleted", [&] { f.preparation.DeleteFilesAfter(); });
  f.flags.systemDeleteAfterControl = true;
  f.dir.Write("job/LAST0002.TXT", "");
  step("control files deleted", [&] { f.preparation.DeleteFilesAfter(); });
  ExpectGolden("prepare/results_and_deletes.txt", text);
  EXPECT_EQ(f.dir.Read("outside.txt"), "keep");
}

// Only results not older than the run's start are the run's; a result whose name is
// blocked keeps its number and is named with the reason. The names come from the map the
// preparation made, not from the memo that shows it: an edit there must not send a result
// elsewhere, least of all outside the output folder.
TEST(ResultFiles, CountOnlyThisRunsResultsAndNameTheOnesThatCannotGoBack) {
  Built f;
  f.dir.Write("job/last.xml", "old");
  f.Build();
  f.job.model.nameMap.Shown().SetLines({"SRC0001=../EDITED.cbl"});
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
  EXPECT_FALSE(Exists(f.dir / "job/EDITED.xml"));
  ASSERT_EQ(outcome.failures.size(), 1u);
  EXPECT_NE(outcome.failures[0].find("SRC0001.lst to PAYROLL.lst: "), std::string::npos)
      << outcome.failures[0];
  EXPECT_TRUE(Exists(f.dir / "job/WrapOut/SRC0001.lst"));
  EXPECT_EQ(f.dir.Read("job/WrapOut/OLDRUN.xml"), "earlier run");  // never touched
}

}  // namespace
}  // namespace korvane::testing
