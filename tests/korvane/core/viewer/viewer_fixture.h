#pragma once
// The main window with the source lists, a job base folder and the viewers, for the
// viewer and marker tests.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/marker/marker_job.h"
#include "korvane/core/sources/source_lists_fixture.h"
#include "korvane/core/viewer/viewer_job.h"
#include "korvane/core/viewer/viewers.h"

namespace korvane::testing {

struct ViewerFixture : SourcesFixture, ViewerJob, MarkerJob {
  ViewerFixture() {
    viewers.Connect(actions);
    std::filesystem::create_directories(dir / "job");
  }

  std::string BaseDirectory() const override { return dir / "job"; }
  std::string LangCode() const override { return "COB"; }
  std::string SystemName() const override { return "CUSTSYS"; }
  int LangIndex() const override { return 0; }
  std::string ResultMasks() const override { return "*.cbl;*.cpy"; }
  std::string EditorPath() const override { return {}; }  // no editor configured
  void RefreshWrapState() override { ++wrapRefreshes; }
  KeyedLines& Marks() override { return marks(); }
  void SetProjectModified() override { ++projectModified; }
  void SetSourceEntry(const std::string& name, bool on) override {
    entries.push_back(name + (on ? "=on" : "=off"));
  }

  // A file below the job's base folder.
  std::string Job(const std::string& rel) const { return dir / ("job/" + rel); }

  // The viewer scenarios' commands, besides the source lists'.
  void Commands(Scenario& s) override {
    SourcesFixture::Commands(s);
    namespace fs = std::filesystem;
    using std::chrono::hours, std::chrono::minutes, std::chrono::seconds;
    Observations& o = s.out;
    s.On("view", [this](const ScenarioCommand& c) { Guard([&] { viewers.OpenInViewer(c[0]); }); });
    s.On("close", [this, &o](const ScenarioCommand&) { o("closed", viewers.CloseCurrentPage()); });
    s.On("front", [this](const ScenarioCommand&) { viewers.BringToFront(); });
    s.On("main-tab",
         [this](const ScenarioCommand& c) { job.window.mainPages.SetActivePage(c[0]); });
    s.On("touch", [this](const ScenarioCommand& c) {
      fs::last_write_time(dir / c[0], fs::last_write_time(dir / c[0]) + seconds(c.Int(1)));
    });
    s.On("age", [this](const ScenarioCommand& c) {
      fs::last_write_time(dir / c[0], fs::file_time_type::clock::now() - hours(c.Int(1)));
    });
    s.On("wrap-requested", [this](const ScenarioCommand&) { viewers.SetWrapRequested(true); });
    s.On("run-started", [this](const ScenarioCommand& c) {
      viewers.SetRunStart(fs::file_time_type::clock::now() - minutes(c.Int(0)));
    });
    s.On("select", [this](const ScenarioCommand& c) {
      viewers.Current()->Document().SelectionFromView(c.Int(0), c.Int(1));
    });
    s.On("find", [this](const ScenarioCommand& c) { Guard([&] { viewers.Find(c.rest); }); });
    s.On("general", [this](const ScenarioCommand&) { Guard([&] { viewers.ViewGeneral(); }); });
    s.On("follow-logs", [this](const ScenarioCommand& c) { viewers.SetFollowLogs(c[0] == "on"); });
    s.On("append", [this](const ScenarioCommand& c) {
      std::ofstream(dir / c[0], std::ios::app | std::ios::binary) << c.Text();
    });
    s.On("scroll-top",
         [this](const ScenarioCommand&) { viewers.Current()->Document().FirstVisibleFromView(0); });
    s.On("refresh", [this](const ScenarioCommand&) { viewers.RefreshFollowed(); });
    s.On("text", [this, &o](const ScenarioCommand&) {
      o("text", std::string(viewers.Current()->Document().Text()));
    });
    s.On("finds", [this, &o](const ScenarioCommand&) { o("find dialogs", findDialogs); });
    // "font-answer NAME CHARSET SIZE HEIGHT BIUS" with the styles as "y" or "n", or none
    // for a cancelled dialog.
    s.On("font-answer", [this](const ScenarioCommand& c) {
      if (c.words.empty()) return person.fontAnswers.push_back(std::nullopt);
      const std::string& styles = c[4];
      person.fontAnswers.push_back(FontChoice{c[0], c.Int(1), c.Int(2), c.Int(3), styles[0] == 'y',
                                              styles[1] == 'y', styles[2] == 'y',
                                              styles[3] == 'y'});
    });
    s.On("font", [this, &o](const ScenarioCommand&) {
      const FontChoice& font = viewers.Font();
      o("font", font.name + " " + std::to_string(font.height))("font changes", fontChanges);
    });
    s.On("pages", [this, &o](const ScenarioCommand&) { LookAtPages(o); });
  }
  // The pages with their names and captions, the one in front, the viewer tab, the
  // status, and what the person saw since the last look.
  void LookAtPages(Observations& o) {
    std::vector<std::string> pages;
    for (const auto& page : viewers.Pages()) {
      pages.push_back(page->Name() + " " + page->Caption() +
                      (page->Following() ? " (following)" : ""));
    }
    o("pages", pages)("current", viewers.CurrentIndex());
    const bool front = job.window.mainPages.ActivePage() == names::kPageViewer;
    o("viewer tab", std::string(job.window.viewerPage.Visible() ? "shown" : "hidden") +
                        (front ? ", in front" : ""));
    // When a file was written differs from run to run: the message is cut there.
    const std::string said = StatusSaid();
    o("status", said.substr(0, said.find(" (written ")))("aborts", aborts);
    o("wrap refreshes", wrapRefreshes);
    if (ViewerPage* page = viewers.Current()) {
      TextDocument& doc = page->Document();
      o("selection", "line " + std::to_string(doc.LineOf(doc.SelStart()) + 1) + " \"" +
                         std::string(doc.SelText()) + "\"");
    }
    o.Take("person", person.transcript);
  }

  int wrapRefreshes = 0;
  int projectModified = 0;
  std::vector<std::string> entries;
  Viewers viewers{context, *this};
  int fontChanges = 0;
  Connection countFonts = viewers.fontChanged.Connect([this] { ++fontChanges; });
  int findDialogs = 0;
  Connection countFinds = viewers.findRequested.Connect([this] { ++findDialogs; });
};

}  // namespace korvane::testing
