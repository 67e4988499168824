// The label marker on the sample COBOL sources: paths and modes, marking rules, the
// navigation column rules, saving, resetting, cancelling and reopening.
#include "korvane/core/marker/label_marker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "korvane/core/common/text_file.h"
#include "korvane/core/viewer/viewer_fixture.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
namespace a = marker_actions;

struct MarkerFixture : testing::ViewerFixture {
  MarkerFixture() {
    fs::create_directories(Job("SourceCollection"));
    fs::create_directories(Job("CopyCollection"));
    const std::string samples = std::string(KORVANE_SAMPLES) + "/jobs/cobol/";
    for (const char* name : {"CUSTRPT.cbl", "ACCTUPD.cbl"})
      fs::copy_file(samples + name, Job(std::string("SourceCollection/") + name));
    for (const char* name : {"CUSTREC.cpy", "ACCTREC.cpy"})
      fs::copy_file(samples + "copylib/" + name, Job(std::string("CopyCollection/") + name));
    closeRequests = 0;
  }
  WrapperMarker& Open(const std::string& source, const std::string& type) {
    marks().SetValue(source + ".WrpT", type);
    marker.OpenMarkerPage(Job("SourceCollection/" + source));
    auto* page = marker.CurrentMarker();
    EXPECT_NE(page, nullptr);
    return *page;
  }
  // Selects text in the line holding it, from its first occurrence.
  static void Select(WrapperMarker& page, const std::string& text) {
    TextDocument& doc = page.Document();
    const size_t at = doc.Text().find(text);
    ASSERT_NE(at, std::string_view::npos) << text;
    doc.SelectionFromView(at, text.size());
  }
  static size_t SelectedLine(WrapperMarker& page) {
    return page.Document().LineOf(page.Document().SelStart());
  }

  LabelMarker marker{context, viewers, *this};
  int closeRequests = 0;
  Connection posted = viewers.closePosted.Connect([this] { ++closeRequests; });
};

TEST(MarkerPaths, FollowTheCollectionsAndTheWrapType) {
  const MarkerPaths p = PathsFor("/jobs/x/sourcecollection/src/A.B.cbl");
  EXPECT_EQ(p.richText, "/jobs/x/RTFCollection/src/A.B.rtf");
  EXPECT_EQ(p.labels, "/jobs/x/LabelCollection/src/A.B.cbl");
  EXPECT_EQ(p.sourceName, "A.B.cbl");
  EXPECT_TRUE(p.inCollection);
  // Only the first occurrence is replaced.
  EXPECT_EQ(PathsFor("/SourceCollection/SourceCollection/a").labels,
            "/LabelCollection/SourceCollection/a");
  EXPECT_FALSE(PathsFor("/jobs/other/a.cbl").inCollection);

  EXPECT_EQ(MarkKindOf("Onl").mode, MarkMode::Online);
  EXPECT_STREQ(MarkKindOf("Onl").prefix, "MASK:");
  EXPECT_STREQ(MarkKindOf("File").prefix, "FILE:");
  EXPECT_STREQ(MarkKindOf("Module").prefix, "ENTR:");
  EXPECT_EQ(MarkKindOf("Proc").mode, MarkMode::Proc);
  EXPECT_STREQ(MarkKindOf("Proc").prefix, "PROC:");
}

TEST(Marker, FileModeFindsEachFileDefinition) {
  MarkerFixture f;
  WrapperMarker& page = f.Open("CUSTRPT.cbl", "File");
  EXPECT_EQ(page.Name(), "tsv0");
  EXPECT_EQ(page.FrameName(), "tsv0WrapperMarkerFrame");
  EXPECT_EQ(page.Caption(), "CUSTRPT.cbl");
  EXPECT_TRUE(page.Actions().Get(a::kFindNextFD).Visible());
  EXPECT_FALSE(page.Actions().Get(a::kFindNextSection).Visible());
  EXPECT_FALSE(page.Actions().Get(a::kSavePage).Enabled());
  // Opening ran the search once: the first FD's name is selected, five lines below
  // the top of the view.
  EXPECT_EQ(page.Document().SelText(), "CUSTFILE");
  EXPECT_EQ(page.Document().FirstVisibleLine(), MarkerFixture::SelectedLine(page) - 5);
  // The copy member is expanded in place.
  EXPECT_NE(page.Document().Text().find("CUSTOMER-RECORD"), std::string_view::npos);
  page.FindNextFD();
  EXPECT_EQ(page.Document().SelText(), "RPTFILE");
  const size_t before = page.Document().SelStart();
  page.FindNextFD();
  EXPECT_EQ(f.Status(), "There are no more file definitions");
  EXPECT_EQ(page.Document().SelStart(), before);
}

TEST(Marker, ProcModeWalksSectionsAndParagraphsAfterTheProcedureDivision) {
  MarkerFixture f;
  WrapperMarker& page = f.Open("CUSTRPT.cbl", "Proc");
  EXPECT_TRUE(page.Actions().Get(a::kFindNextSection).Visible());
  // Never a section of the data division, nor a comment or an area-B line.
  EXPECT_EQ(page.Document().SelText(), "0000-MAIN");
  page.FindNextSection();
  EXPECT_EQ(page.Document().SelText(), "1000-READ-CUSTOMER");
  std::vector<std::string> names;
  while (true) {
    const size_t before = page.Document().SelStart();
    page.FindNextSection();
    if (page.Document().SelStart() == before) break;
    names.emplace_back(page.Document().SelText());
  }
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names.front(), "2000-PROCESS-CUSTOMER");
  for (const auto& name : names) EXPECT_EQ(name.find('.'), std::string::npos) << name;
  EXPECT_EQ(f.Status(), "There are no more file definitions");
  // From a line before the header the search still starts after it.
  page.Document().SelectionFromView(0, 0);
  page.FindNextSection();
  EXPECT_EQ(page.Document().SelText(), "0000-MAIN");
}

TEST(Marker, MarksOneWordOnceAndRefusesComments) {
  MarkerFixture f;
  WrapperMarker& page = f.Open("CUSTRPT.cbl", "File");
  TextDocument& doc = page.Document();
  // Two words are narrowed to the first, nothing is marked yet.
  MarkerFixture::Select(page, " CUSTFILE ASSIGN");
  const size_t at = doc.SelStart();
  page.Mark(true);
  EXPECT_EQ(doc.SelText(), "CUSTFILE");
  EXPECT_EQ(doc.SelStart(), at + 1);
  EXPECT_TRUE(page.Labels().empty());
  EXPECT_FALSE(page.Modified());
  doc.SelectionFromView(at, 10);  // " CUSTFILE " with blanks around it
  page.Mark(true);
  EXPECT_EQ(page.Labels(), std::vector<std::string>{"FILE:CUSTFILE"});
  ASSERT_EQ(doc.Runs().size(), 1u);
  EXPECT_EQ(doc.Runs()[0].colour, kColourBlue);
  EXPECT_TRUE(page.Modified());
  EXPECT_TRUE(page.Actions().Get(a::kSavePage).Enabled());
  EXPECT_EQ(f.projectModified, 1);
  page.Mark(true);  // the same label again: nothing
  EXPECT_EQ(page.Labels().size(), 1u);
  EXPECT_EQ(f.projectModified, 1);

  MarkerFixture::Select(page, "CUSTOMER BALANCE");  // a comment line
  f.Guarded([&] { page.Mark(true); });
  EXPECT_EQ(f.Status(), "This is a comment line");
  EXPECT_EQ(page.Labels().size(), 1u);

  MarkerFixture::Select(page, "RPTFILE");
  page.Mark(true);
  MarkerFixture::Select(page, "ASSIGN");
  page.Mark(false);  // not marked: nothing changes
  EXPECT_EQ(page.Labels(), (std::vector<std::string>{"FILE:CUSTFILE", "FILE:RPTFILE"}));
  MarkerFixture::Select(page, "CUSTFILE");
  page.Mark(false);
  EXPECT_EQ(page.Labels(), std::vector<std::string>{"FILE:RPTFILE"});
}

TEST(Marker, SavesReopensAndRemovesTheMarks) {
  MarkerFixture f;
  {
    WrapperMarker& page = f.Open("CUSTRPT.cbl", "File");
    page.Document().SelectionFromView(page.Document().SelStart(), page.Document().SelLength());
    page.Mark(true);  // CUSTFILE, selected on opening
    page.FindNextFD();
    page.Mark(true);
    page.Actions().Get(a::kSavePage).Invoke();
    EXPECT_FALSE(page.Modified());
  }
  const std::string rtf = f.Job("RTFCollection/CUSTRPT.rtf");
  const std::string labels = f.Job("LabelCollection/CUSTRPT.cbl");
  EXPECT_EQ(ReadFileBytes(labels), "FILE:CUSTFILE\r\nFILE:RPTFILE\r\n");
  EXPECT_EQ(ReadFileBytes(rtf).rfind("{\\rtf1", 0), 0u);
  EXPECT_EQ(f.marks().Value("CUSTRPT.cbl.Lbl"), "Y");
  EXPECT_EQ(f.entries, std::vector<std::string>{"CUSTRPT.cbl=on"});

  // Reopened from the saved marks: the labels and the blue runs come back. The page's
  // date is now the rich text's, so the reopening asks.
  f.viewers.CloseAllPages();
  WrapperMarker& again = f.Open("CUSTRPT.cbl", "File");
  EXPECT_EQ(again.Labels(), (std::vector<std::string>{"FILE:CUSTFILE", "FILE:RPTFILE"}));
  EXPECT_EQ(again.Document().Runs().size(), 2u);
  f.person.answers = {Button::No};
  f.marker.OpenMarkerPage(f.Job("SourceCollection/CUSTRPT.cbl"));
  EXPECT_EQ(f.person.asked.back().text,
            "Module " + f.Job("SourceCollection/CUSTRPT.cbl") + "'s date/time changed. Reload?");

  // Saving without labels removes both files and turns the entry off.
  f.viewers.CloseAllPages();
  WrapperMarker& empty = f.Open("CUSTRPT.cbl", "File");
  MarkerFixture::Select(empty, "CUSTFILE");
  empty.Mark(false);
  MarkerFixture::Select(empty, "RPTFILE");
  empty.Mark(false);
  empty.Save();
  EXPECT_FALSE(fs::exists(rtf));
  EXPECT_FALSE(fs::exists(labels));
  EXPECT_EQ(f.marks().Value("CUSTRPT.cbl.Lbl"), "");
  EXPECT_EQ(f.entries.back(), "CUSTRPT.cbl=off");
}

TEST(Marker, SavedMarksChangeTheJobAndAJobSaveTakesTheUnsavedOnes) {
  MarkerFixture f;
  WrapperMarker& cust = f.Open("CUSTRPT.cbl", "File");
  cust.Document().SelectionFromView(cust.Document().SelStart(), cust.Document().SelLength());
  cust.Mark(true);
  WrapperMarker& acct = f.Open("ACCTUPD.cbl", "File");  // opened, nothing marked
  EXPECT_TRUE(f.marker.HasPendingEdits());
  EXPECT_FALSE(acct.Modified());

  f.projectModified = 0;
  f.marker.SavePendingMarks();
  EXPECT_FALSE(f.marker.HasPendingEdits());
  EXPECT_EQ(ReadFileBytes(f.Job("LabelCollection/CUSTRPT.cbl")), "FILE:CUSTFILE\r\n");
  EXPECT_FALSE(fs::exists(f.Job("LabelCollection/ACCTUPD.cbl")));
  EXPECT_EQ(f.entries, std::vector<std::string>{"CUSTRPT.cbl=on"});
  // The holder and the source list changed: the job has to be saved to keep them.
  EXPECT_EQ(f.projectModified, 1);
  f.marker.SavePendingMarks();  // nothing left to save
  EXPECT_EQ(f.projectModified, 1);
}

TEST(Marker, StaleOrUnreadableMarksAreNotShown) {
  MarkerFixture f;
  const std::string source = f.Job("SourceCollection/CUSTRPT.cbl");
  f.dir.Write("job/LabelCollection/CUSTRPT.cbl", "FILE:OLDFILE\r\n");
  f.dir.Write("job/RTFCollection/CUSTRPT.rtf", "{not rich text}\r\n");
  f.marks().SetValue("CUSTRPT.cbl.Unr", "MISSING");
  // An unreadable rich-text file: rebuilt from the source, the labels stay.
  WrapperMarker& page = f.Open("CUSTRPT.cbl", "Onl");
  EXPECT_EQ(page.Labels(), std::vector<std::string>{"FILE:OLDFILE"});
  EXPECT_NE(page.Document().Text().find("CUSTOMER-RECORD"), std::string_view::npos);
  EXPECT_TRUE(page.Unresolved().empty());
  EXPECT_FALSE(page.Actions().Get(a::kFindNextFD).Visible());

  // A source edited after the marks were saved opens unmarked.
  f.viewers.CloseAllPages();
  fs::last_write_time(
      source, fs::last_write_time(f.Job("RTFCollection/CUSTRPT.rtf")) + std::chrono::seconds(10));
  WrapperMarker& stale = f.Open("CUSTRPT.cbl", "Onl");
  EXPECT_TRUE(stale.Labels().empty());
  EXPECT_EQ(stale.FileDate(), FileDateOf(source));
}

TEST(Marker, ResetCancelAndTheCloseQuestion) {
  MarkerFixture f;
  WrapperMarker& page = f.Open("CUSTRPT.cbl", "File");
  page.Mark(true);
  page.Save();
  page.FindNextFD();
  page.Mark(true);
  page.Actions().Get(a::kResetMarking).Invoke();
  EXPECT_TRUE(page.Labels().empty());
  EXPECT_TRUE(page.Document().Runs().empty());
  EXPECT_FALSE(fs::exists(f.Job("RTFCollection/CUSTRPT.rtf")));
  EXPECT_FALSE(fs::exists(f.Job("LabelCollection/CUSTRPT.cbl")));
  EXPECT_EQ(f.marks().Value("CUSTRPT.cbl.Lbl"), "Y");  // the holder is left as it was
  EXPECT_TRUE(page.Modified());

  // Cancel on the question keeps the page; No closes it unsaved.
  f.person.answers = {Button::Cancel, Button::No};
  EXPECT_FALSE(f.viewers.CloseCurrentPage());
  EXPECT_EQ(f.person.asked.back().text,
            "Label selection for CUSTRPT.cbl has been modified!\r\nSave changes?");
  EXPECT_EQ(f.person.asked.back().buttons, (Buttons{Button::Yes, Button::No, Button::Cancel}));
  EXPECT_TRUE(f.viewers.CloseCurrentPage());
  EXPECT_TRUE(f.viewers.Pages().empty());

  // The cancel button drops the changes and asks the window to close the page.
  WrapperMarker& other = f.Open("ACCTUPD.cbl", "File");
  other.Document().SelectionFromView(0, 6);
  other.Mark(true);
  other.Cancel();
  EXPECT_EQ(f.closeRequests, 1);
  EXPECT_TRUE(f.viewers.CloseCurrentPage());
  EXPECT_EQ(f.person.asked.size(), 2u);  // no question
}

TEST(Marker, TheSourceListsMarkCommandOpensTheSelectedSource) {
  MarkerFixture f;
  const Connection opening = f.lists.Types().markerRequested.Connect(
      [&f](const std::string& path) { f.marker.OpenMarkerPage(path); });
  f.sources().SetItems(
      {{"ACCTUPD.cbl=/x/ACCTUPD.cbl", true, true}, {"CUSTRPT.cbl=/x/CUSTRPT.cbl", false, false}});
  f.marks().SetValue("CUSTRPT.cbl.WrpT", "Proc");
  f.run(names::kActMarkToBeWrapped);
  EXPECT_EQ(f.Status(), "No selection, click with the left mouse button on a line!");
  f.sources().SetItemIndex(1);
  f.run(names::kActMarkToBeWrapped);
  ASSERT_NE(f.marker.CurrentMarker(), nullptr);
  EXPECT_EQ(f.marker.CurrentMarker()->FileName(), f.Job("SourceCollection/CUSTRPT.cbl"));
  EXPECT_EQ(f.marker.CurrentMarker()->Mode(), MarkMode::Proc);
  EXPECT_EQ(f.marker.CurrentMarker()->Prefix(), "PROC:");
}

TEST(Marker, FindTextSearchesForwardIgnoringCase) {
  MarkerFixture f;
  int dialogs = 0;
  Connection c = f.viewers.findRequested.Connect([&] { ++dialogs; });
  WrapperMarker& page = f.Open("CUSTRPT.cbl", "File");  // CUSTFILE of the first FD selected
  f.actions.Get("ActFindText").Invoke();
  EXPECT_EQ(dialogs, 1);
  TextDocument& doc = page.Document();
  const size_t fd = doc.SelStart();
  f.viewers.Find("custfile");  // from the end of the selection on
  EXPECT_EQ(doc.SelText(), "CUSTFILE");
  EXPECT_GT(doc.SelStart(), fd);
  EXPECT_EQ(doc.Line(doc.LineOf(doc.SelStart())).substr(0, 6), "003700");
  doc.SelectionFromView(0, 0);  // nothing selected: from the start
  f.viewers.Find("Custfile");
  EXPECT_EQ(doc.LineOf(doc.SelStart()), 9u);  // SELECT CUSTFILE ASSIGN
  const size_t before = doc.SelStart();
  f.Guarded([&] { f.viewers.Find("no such text"); });
  EXPECT_EQ(f.Status(), "String not found");
  EXPECT_EQ(doc.SelStart(), before);
}

TEST(Marker, OpeningAMissingSourceEndsTheCommand) {
  MarkerFixture f;
  f.Guarded([&] { f.marker.OpenMarkerPage(f.Job("SourceCollection/NONE.cbl")); });
  EXPECT_EQ(f.Status(), "File " + f.Job("SourceCollection/NONE.cbl") + " doesn't exist");
  EXPECT_TRUE(f.viewers.Pages().empty());
}

TEST(Marker, NeverWritesThroughALink) {
  MarkerFixture f;
  const std::string outside = f.dir.Write("outside.txt", "keep");
  fs::create_directories(f.Job("LabelCollection"));
  fs::create_symlink(outside, f.Job("LabelCollection/CUSTRPT.cbl"));
  WrapperMarker& page = f.Open("CUSTRPT.cbl", "File");
  page.Mark(true);
  page.Save();
  EXPECT_EQ(ReadFileBytes(outside), "keep");
  EXPECT_FALSE(fs::is_symlink(f.Job("LabelCollection/CUSTRPT.cbl")));
  EXPECT_EQ(ReadFileBytes(f.Job("LabelCollection/CUSTRPT.cbl")), "FILE:CUSTFILE\r\n");

  fs::remove_all(f.Job("RTFCollection"));
  fs::create_directories(f.dir / "elsewhere");
  fs::create_directory_symlink(f.dir / "elsewhere", f.Job("RTFCollection"));
  f.Guarded([&] { page.Save(); });
  EXPECT_EQ(f.aborts, 1);
  EXPECT_TRUE(fs::is_empty(f.dir / "elsewhere"));
}

}  // namespace
}  // namespace korvane
