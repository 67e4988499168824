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
  }
  void Commands(testing::Scenario& s) override {
    ViewerFixture::Commands(s);
    testing::Observations& o = s.out;
    using Command = testing::ScenarioCommand;
    s.On("open-marker", [this](const Command& c) {
      marks().SetValue(c[0] + ".WrpT", c[1]);
      Guard([&] { marker.OpenMarkerPage(Job("SourceCollection/" + c[0])); });
    });
    s.On("label", [this](const Command& c) { Guard([&] { Page().Mark(c[0] == "on"); }); });
    // Selects the first occurrence of the text.
    s.On("select-text", [this](const Command& c) {
      TextDocument& doc = Page().Document();
      const size_t at = doc.Text().find(c.rest);
      ASSERT_NE(at, std::string_view::npos) << c.rest;
      doc.SelectionFromView(at, c.rest.size());
    });
    // Selects what is selected again, as the person does who takes the found name.
    s.On("take-found", [this](const Command&) {
      TextDocument& doc = Page().Document();
      doc.SelectionFromView(doc.SelStart(), doc.SelLength());
    });
    s.On("next-fd", [this](const Command&) { Page().FindNextFD(); });
    // Finds the next section until the selection stays, showing each name found.
    s.On("walk-sections", [this, &o](const Command&) {
      TextDocument& doc = Page().Document();
      std::vector<std::string> names;
      for (size_t before = SIZE_MAX; doc.SelStart() != before;) {
        before = doc.SelStart();
        Page().FindNextSection();
        if (doc.SelStart() != before) names.emplace_back(doc.SelText());
      }
      o("sections", names);
    });
    // The source edited after its marks were saved.
    s.On("edit-source", [this](const Command& c) {
      const std::string source = Job("SourceCollection/" + c[0]);
      fs::last_write_time(source, fs::last_write_time(Job(c[1])) + std::chrono::seconds(10));
    });
    s.On("unresolved", [this, &o](const Command&) { o("unresolved", Page().Unresolved()); });
    s.On("dated", [this, &o](const Command&) {
      o("dated as its source", Page().FileDate() == FileDateOf(Page().FileName()));
    });
    s.On("page-action",
         [this](const Command& c) { Guard([&] { Page().Actions().Get(c[0]).Invoke(); }); });
    s.On("save", [this](const Command&) { Guard([&] { Page().Save(); }); });
    s.On("cancel", [this](const Command&) { Page().Cancel(); });
    s.On("save-pending", [this](const Command&) { marker.SavePendingMarks(); });
    s.On("close-all", [this](const Command&) { viewers.CloseAllPages(); });
    s.On("index", [this](const Command& c) { sources().SetItemIndex(c.Int(0)); });
    s.On("forget-changes", [this](const Command&) { projectModified = 0; });
    s.On("shows", [this, &o](const Command& c) {
      o("shows " + c.rest, Page().Document().Text().find(c.rest) != std::string_view::npos);
    });
    s.On("head",
         [this, &o](const Command& c) { o(c[0], ReadFileBytes(dir / c[0]).substr(0, c.Int(1))); });
    s.On("empty", [this, &o](const Command& c) { o(c[0] + " empty", fs::is_empty(dir / c[0])); });
    s.On("marker", [this, &o](const Command&) { LookAtMarker(o); });
  }
  WrapperMarker& Page() { return *marker.CurrentMarker(); }
  // The page in front with its labels, runs, selection and commands, and the job around.
  void LookAtMarker(testing::Observations& o) {
    if (WrapperMarker* page = marker.CurrentMarker()) {
      TextDocument& doc = page->Document();
      o("page", page->Name() + " " + page->FrameName() + " " + page->Caption() + " " +
                    page->Prefix() + (page->Modified() ? " (modified)" : ""));
      o("file", page->FileName());
      o("labels", page->Labels());
      std::vector<std::string> runs;
      for (const auto& run : doc.Styled().runs) {
        char colour[8];
        std::snprintf(colour, sizeof colour, "%06X", run.colour);
        runs.push_back(std::to_string(run.line + 1) + ":" + std::to_string(run.column) + "+" +
                       std::to_string(run.length) + " " + colour);
      }
      o("runs", runs);
      const size_t line = doc.LineOf(doc.SelStart());
      o("selection", "line " + std::to_string(line + 1) + " \"" + std::string(doc.SelText()) +
                         "\", top line " + std::to_string(doc.FirstVisibleLine() + 1));
      std::string commands;
      for (const char* name : {a::kFindNextFD, a::kFindNextSection, a::kSavePage}) {
        const Action& action = page->Actions().Get(name);
        commands += std::string(" ") + name + (action.Visible() ? "" : " hidden") +
                    (action.Enabled() ? "" : " disabled");
      }
      o("commands", commands);
    }
    o("pages", static_cast<int>(viewers.Pages().size()))("pending", marker.HasPendingEdits());
    o("marks", job.model.marks.StringList())("entries", entries);
    o("job changes", projectModified)("close requests", closeRequests);
    o("status", StatusSaid())("aborts", aborts);
    o.Take("person", person.transcript);
  }

  LabelMarker marker{context, viewers, *this};
  Connection opening = lists.Types().markerRequested.Connect(
      [this](const std::string& path) { marker.OpenMarkerPage(path); });
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

  // The other types' prefixes show on the pages of the marker scenarios.
  EXPECT_STREQ(MarkKindOf("Module").prefix, "ENTR:");
}

// The scenarios of tests/data/marker, each file saying first what it shows. The three
// below have tests of their own, which the Windows run leaves out.
TEST(Marker, Scenarios) {
  for (const char* name : {"proc_mode", "stale", "file_mode", "marking", "pending",
                           "reset_and_close", "from_the_list", "finding"}) {
    SCOPED_TRACE(name);
    MarkerFixture().RunScenario("marker/" + std::string(name) + ".txt");
  }
}

TEST(Marker, SavesReopensAndRemovesTheMarks) {
  MarkerFixture().RunScenario("marker/saving.txt");
}

TEST(Marker, OpeningAMissingSourceEndsTheCommand) {
  MarkerFixture().RunScenario("marker/missing_source.txt");
}

TEST(Marker, NeverWritesThroughALink) {
  MarkerFixture().RunScenario("marker/links.txt");
}

}  // namespace
}  // namespace korvane
