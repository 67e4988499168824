// Viewer pages: opening, reuse and reload, captions, closing, the log commands, the
// result-file dialog, search, the font and following a growing log.
#include "korvane/core/viewer/viewers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "korvane/core/viewer/viewer_fixture.h"

namespace korvane {
namespace {

using testing::ViewerFixture;
namespace fs = std::filesystem;

void Touch(const std::string& path, int secondsLater) {
  fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(secondsLater));
}

TEST(Viewers, OpensReusesAndNamesPages) {
  ViewerFixture f;
  const std::string xml = f.dir.Write("job/last.xml", "<a/>\r\n<b/>\r\n");
  const std::string outside = f.dir.Write("elsewhere/notes.txt", "x");
  f.viewers.OpenInViewer(xml);
  EXPECT_TRUE(f.ViewerShown());
  EXPECT_TRUE(f.ViewerInFront());
  ASSERT_EQ(f.viewers.Pages().size(), 1u);
  const ViewerPage& first = *f.viewers.Pages()[0];
  EXPECT_EQ(first.Name(), "tsv0");
  EXPECT_EQ(first.FrameName(), "tsv0FrameSimpleViewer");
  EXPECT_EQ(first.Caption(), "last.xml");
  EXPECT_EQ(first.Document().Line(1), "<b/>");

  f.viewers.OpenInViewer(outside);
  EXPECT_EQ(f.viewers.Pages()[1]->Caption(), outside);  // outside the base: the full path
  EXPECT_EQ(f.viewers.CurrentIndex(), 1);

  // Unchanged on disk: the open page comes to the front, no second page.
  f.viewers.OpenInViewer(xml);
  EXPECT_EQ(f.viewers.Pages().size(), 2u);
  EXPECT_EQ(f.viewers.CurrentIndex(), 0);
  EXPECT_TRUE(f.person.asked.empty());

  // The counter only grows: a page opened after a close gets a new name.
  ASSERT_TRUE(f.viewers.CloseCurrentPage());
  f.viewers.OpenInViewer(xml);
  EXPECT_EQ(f.viewers.Pages().back()->Name(), "tsv2");

  f.Guarded([&] { f.viewers.OpenInViewer(f.Job("missing.log")); });
  EXPECT_EQ(f.aborts, 1);
  EXPECT_EQ(f.Status(), "File " + f.Job("missing.log") + " doesn't exist");
}

TEST(Viewers, AsksBeforeReloadingAChangedFileButNotALog) {
  ViewerFixture f;
  const std::string xml = f.dir.Write("job/last.xml", "old");
  const std::string log = f.dir.Write("job/CUSTSYS.log", "line 1\r\n");
  f.viewers.OpenInViewer(xml);
  f.viewers.OpenInViewer(log);

  f.dir.Write("job/last.xml", "new");
  Touch(xml, 5);
  f.person.answers = {Button::No};
  f.viewers.OpenInViewer(xml);
  ASSERT_EQ(f.person.asked.size(), 1u);
  EXPECT_EQ(f.person.asked[0].text, "Module " + xml + "'s date/time changed. Reload?");
  EXPECT_EQ(f.person.asked[0].kind, MessageKind::Warning);
  EXPECT_EQ(f.viewers.Current()->Document().Text(), "old");  // No: the old page stays

  f.person.answers = {Button::Yes};
  f.viewers.OpenInViewer(xml);
  EXPECT_EQ(f.viewers.Pages().size(), 2u);
  EXPECT_EQ(f.viewers.Current()->Document().Text(), "new");
  EXPECT_EQ(f.viewers.Current()->Name(), "tsv2");

  f.dir.Write("job/CUSTSYS.log", "line 1\r\nline 2\r\n");
  Touch(log, 5);
  f.viewers.OpenInViewer(log);
  EXPECT_EQ(f.person.asked.size(), 2u);  // a log is reloaded without a question
  EXPECT_EQ(f.viewers.Current()->Document().Line(1), "line 2");
}

TEST(Viewers, ClosingTheLastPageHidesTheViewer) {
  ViewerFixture f;
  f.viewers.OpenInViewer(f.dir.Write("job/a.txt", "a"));
  f.viewers.OpenInViewer(f.dir.Write("job/b.txt", "b"));
  f.form.Get<PageControl>(names::kPageControlMain).SetActivePage(names::kPageTechnical);
  EXPECT_FALSE(f.viewers.CloseCurrentPage());  // only with the viewer in front
  f.viewers.BringToFront();
  EXPECT_TRUE(f.viewers.CloseCurrentPage());
  EXPECT_TRUE(f.ViewerShown());
  EXPECT_EQ(f.viewers.Current()->Caption(), "a.txt");
  EXPECT_TRUE(f.viewers.CloseCurrentPage());
  EXPECT_FALSE(f.ViewerShown());
  EXPECT_EQ(f.form.Get<PageControl>(names::kPageControlMain).ActivePage(), names::kPageNames);
  EXPECT_EQ(f.wrapRefreshes, 3);

  f.viewers.OpenInViewer(f.dir.Write("job/c.txt", "c"));
  f.viewers.OpenInViewer(f.dir.Write("job/d.txt", "d"));
  f.actions.Get("ActCloseAllPages").Invoke();
  EXPECT_TRUE(f.viewers.Pages().empty());
  EXPECT_TRUE(f.ViewerShown());  // closing all leaves the tab as it is
}

TEST(Viewers, ReportsTheLineOfTheSelection) {
  ViewerFixture f;
  const std::string file = f.dir.Write("job/last.xml", "a\r\nbb\r\nccc\r\n");
  f.viewers.OpenInViewer(file);
  TextDocument& doc = f.viewers.Current()->Document();
  doc.SelectionFromView(5, 0);
  EXPECT_EQ(f.Status(), "Line 3 of 4 in " + file + " ");
  f.status.ClearMessages();
  doc.SelectionFromView(6, 0);  // same line: not reported again
  EXPECT_EQ(f.Status(), "");
}

TEST(Viewers, LogCommandsOpenOnlyWhatExists) {
  ViewerFixture f;
  f.dir.Write("job/CUSTSYS.log", "product");
  f.actions.Get("ActViewProductLog").Invoke();
  EXPECT_TRUE(f.viewers.Pages().empty());  // no wrap asked for yet
  f.viewers.SetWrapRequested(true);
  f.actions.Get("ActViewProductLog").Invoke();
  ASSERT_EQ(f.viewers.Pages().size(), 1u);
  EXPECT_EQ(f.viewers.Current()->Caption(), "CUSTSYS.log");
  f.actions.Get(names::kActViewConsoleLog).Invoke();  // missing: nothing, no message
  f.actions.Get("ActViewParameters").Invoke();
  EXPECT_EQ(f.viewers.Pages().size(), 1u);
  EXPECT_EQ(f.Status(), "");
  f.dir.Write("job/Console.log", "console");
  f.actions.Get(names::kActViewConsoleLog).Invoke();
  EXPECT_EQ(f.viewers.Current()->Caption(), "Console.log");
}

// After a run, a product log or result older than the run is never shown as its own.
TEST(Viewers, AnEarlierRunsLogIsNotOpenedAsTheLastRunsAndOldResultsSaySo) {
  ViewerFixture f;
  const auto old = fs::file_time_type::clock::now() - std::chrono::hours(2);
  fs::last_write_time(f.dir.Write("job/CUSTSYS.log", "earlier run"), old);
  const std::string result = f.dir.Write("job/WrapOut/PAYROLL.xml", "earlier result");
  fs::last_write_time(result, old);
  const std::string source = f.dir.Write("job/PAYROLL.cbl", "a source is old by nature");
  fs::last_write_time(source, old);
  f.viewers.SetWrapRequested(true);
  f.viewers.SetRunStart(fs::file_time_type::clock::now() - std::chrono::minutes(1));
  // The whole message: the bar cuts long ones and keeps the rest in its hint.
  const auto said = [&f] {
    std::string hint = f.status.Hint();
    if (const size_t cut = hint.find("\r\n"); cut != std::string::npos) hint.erase(cut, 2);
    return hint.empty() ? f.Status() : hint;
  };

  f.actions.Get("ActViewProductLog").Invoke();
  EXPECT_TRUE(f.viewers.Pages().empty());
  EXPECT_EQ(said().rfind("The product log was not opened: " + f.Job("CUSTSYS.log") +
                             " is from before the last run (written ",
                         0),
            0u)
      << said();

  f.status.ClearMessages();
  f.viewers.OpenInViewer(result);
  EXPECT_EQ(f.viewers.Pages().size(), 1u);
  EXPECT_EQ(said().rfind(result + " is from before the last run (written ", 0), 0u) << said();
  f.status.ClearMessages();
  f.viewers.OpenInViewer(source);
  EXPECT_EQ(f.Status(), "");

  // Written by the run: opened as its log.
  f.dir.Write("job/CUSTSYS.log", "this run");
  f.actions.Get("ActViewProductLog").Invoke();
  EXPECT_EQ(f.viewers.Current()->Caption(), "CUSTSYS.log");
}

TEST(Viewers, GeneralViewerOffersResultFiles) {
  ViewerFixture f;
  f.person.openAnswers = {{}};
  f.Guarded([&] { f.viewers.ViewGeneral(); });
  EXPECT_EQ(f.Status(), "File search cancelled");
  ASSERT_EQ(f.person.openRequests.size(), 1u);
  const FileDialogRequest& r = f.person.openRequests[0];
  EXPECT_EQ(r.title, "Open a result file");
  EXPECT_EQ(r.initialDir, f.Job("WrapOut"));
  EXPECT_EQ(r.filter,
            "Result files from wrapping|*.txt;*.xml;*.xsd;*.log;*.COB;*.cbl;*.cpy|All "
            "files(*.*)|*.*");

  const std::string chosen = f.dir.Write("job/WrapOut/CUSTRPT.txt", "result");
  f.person.openAnswers = {{chosen}, {}};
  f.viewers.ViewGeneral();
  EXPECT_EQ(f.viewers.Current()->Caption(), "WrapOut/CUSTRPT.txt");
  f.Guarded([&] { f.viewers.ViewGeneral(); });
  EXPECT_EQ(f.person.openRequests[2].initialDir, f.Job("WrapOut"));
  EXPECT_EQ(f.person.openRequests[2].fileName, "CUSTRPT.txt");
}

TEST(Viewers, StoresTheChosenFont) {
  ViewerFixture f;
  EXPECT_EQ(f.viewers.Font().name, "Lucida Console");
  EXPECT_EQ(f.viewers.Font().height, -11);
  FontChoice font{"DejaVu Sans Mono", 0, 12, -16, true, false, true, false};
  f.person.fontAnswers = {font, std::nullopt};
  int changes = 0;
  Connection c = f.viewers.fontChanged.Connect([&] { ++changes; });
  f.actions.Get("ActSelectFont").Invoke();
  f.actions.Get("ActSelectFont").Invoke();  // cancelled: nothing changes
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(f.settings.ReadSetting("FontName"), "DejaVu Sans Mono");
  EXPECT_EQ(f.settings.ReadIntSetting("FontSize"), 12);
  EXPECT_EQ(f.settings.ReadIntSetting("FontHeight"), -16);
  EXPECT_TRUE(f.settings.ReadBoolSetting("FontBold"));
  EXPECT_FALSE(f.settings.ReadBoolSetting("FontItalic"));
  EXPECT_TRUE(f.settings.ReadBoolSetting("FontUnderline"));
  EXPECT_FALSE(f.settings.ReadBoolSetting("FontStrikeOut"));
  EXPECT_EQ(f.settings.ReadIntSetting("FontCharSet"), 0);
}

TEST(Viewers, FollowedLogGrowsWithoutAQuestion) {
  ViewerFixture f;
  const std::string log = f.dir.Write("job/Console.log", "start\r\n");
  f.viewers.SetFollowLogs(true);
  f.viewers.OpenInViewer(log);
  ViewerPage& page = *f.viewers.Current();
  EXPECT_TRUE(page.Following());
  page.Document().FirstVisibleFromView(0);
  std::ofstream(log, std::ios::app | std::ios::binary) << "step 1\r\nstep";
  f.viewers.RefreshFollowed();
  std::ofstream(log, std::ios::app | std::ios::binary) << " 2\r\n";
  f.viewers.RefreshFollowed();
  EXPECT_EQ(page.Document().Line(1), "step 1");
  EXPECT_EQ(page.Document().Line(2), "step 2");
  EXPECT_TRUE(f.person.asked.empty());
  f.viewers.SetFollowLogs(false);
  EXPECT_FALSE(page.Following());
}

TEST(Viewers, FindsInALogPageGoingRoundAndAgainWithFindNext) {
  ViewerFixture f;
  int dialogs = 0;
  Connection c = f.viewers.findRequested.Connect([&] { ++dialogs; });
  f.actions.Get("ActFindNextText").Invoke();  // nothing open: nothing to ask
  EXPECT_EQ(dialogs, 0);
  const std::string log =
      f.dir.Write("job/Console.log", "start\r\nERROR 1 in CUSTREC\r\nok\r\nerror 2\r\n");
  f.viewers.OpenInViewer(log);
  TextDocument& doc = f.viewers.Current()->Document();
  f.actions.Get("ActFindNextText").Invoke();  // no text yet: the dialog asks for one
  f.actions.Get("ActFindText").Invoke();
  EXPECT_EQ(dialogs, 2);

  f.viewers.Find("Error");
  EXPECT_EQ(doc.LineOf(doc.SelStart()), 1u);
  EXPECT_EQ(doc.SelText(), "ERROR");
  f.actions.Get("ActFindNextText").Invoke();
  EXPECT_EQ(doc.LineOf(doc.SelStart()), 3u);
  EXPECT_EQ(doc.SelText(), "error");
  EXPECT_EQ(f.Status(), "Line 4 of 5 in " + log + " ");  // no word of going round
  f.actions.Get("ActFindNextText").Invoke();
  EXPECT_EQ(doc.LineOf(doc.SelStart()), 1u);
  EXPECT_EQ(f.Status(), "Search reached the end and went on from the top");

  f.Guarded([&] { f.viewers.Find("warning"); });
  EXPECT_EQ(f.Status(), "String not found");
  EXPECT_EQ(doc.LineOf(doc.SelStart()), 1u);  // the old hit stays selected
}

}  // namespace
}  // namespace korvane
