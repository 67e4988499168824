// Viewer pages: opening, reuse and reload, captions, closing, the log commands, the
// result-file dialog, search, the font and following a growing log. The scenarios are in
// tests/data/viewer, commands with what they showed.
#include "korvane/core/viewer/viewers.h"

#include <gtest/gtest.h>

#include "korvane/core/viewer/viewer_fixture.h"

namespace korvane {
namespace {

using testing::ViewerFixture;

// Each scenario file says first what it shows.
TEST(Viewers, Scenarios) {
  for (const char* name : {"opening", "reloading", "closing", "line_report", "logs", "earlier_run",
                           "general", "following", "finding", "font"}) {
    SCOPED_TRACE(name);
    ViewerFixture().RunScenario("viewer/" + std::string(name) + ".txt");
  }
}

}  // namespace
}  // namespace korvane
