#pragma once
// The main window with the source lists, a job base folder and the viewers, for the
// viewer and marker tests.

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
  int LangIndex() const override { return langIndex; }
  std::string ResultMasks() const override { return "*.cbl;*.cpy"; }
  std::string EditorPath() const override { return editor; }
  void RefreshWrapState() override { ++wrapRefreshes; }
  KeyedLines& Marks() override { return marks(); }
  void SetProjectModified() override { ++projectModified; }
  void SetSourceEntry(const std::string& name, bool on) override {
    entries.push_back(name + (on ? "=on" : "=off"));
  }

  // A file below the job's base folder.
  std::string Job(const std::string& rel) const { return dir / ("job/" + rel); }
  std::string Status() const { return status.Text(); }
  bool ViewerInFront() {
    return form.Get<PageControl>(names::kPageControlMain).ActivePage() == names::kPageViewer;
  }
  bool ViewerShown() { return form.Get<Page>(names::kPageViewer).Visible(); }
  // Runs a command as the shell does: an abort ends it quietly.
  template <typename F>
  void Guarded(F&& work) {
    try {
      work();
    } catch (const OperationAbort&) {
      ++aborts;
    }
  }

  int langIndex = 0;
  std::string editor;
  int wrapRefreshes = 0;
  int projectModified = 0;
  std::vector<std::string> entries;
  Viewers viewers{context, *this};
};

}  // namespace korvane::testing
