// With a window, the files of a folder or a drop are added in steps posted between the
// person's events.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "korvane/core/sources/source_lists_fixture.h"

namespace korvane::testing {
namespace {

struct Stepped : SourcesFixture {
  Stepped() {
    for (const char* name : {"a.cbl", "b.cbl", "c.cbl", "d.cob", "e.txt"}) {
      dir.Write(std::string("tree/") + name, name);
    }
  }
  void UseSteps() {
    lists.Adding().SetStepPoster([this](std::function<void()> step) { posted.push_back(step); });
  }
  // Turns the event loop until no step is left; how many steps ran.
  int RunSteps() {
    int steps = 0;
    for (; !posted.empty() && steps < 100; ++steps) {
      auto step = std::move(posted.front());
      posted.pop_front();
      Guard(step);
    }
    return steps;
  }
  // What Look shows, with the temporary folder's name left out.
  std::string State() {
    Observations o;
    Look(o);
    const std::string tmp = dir.Path().string();
    for (size_t at; (at = o.text.find(tmp)) != std::string::npos;)
      o.text.replace(at, tmp.size(), "{dir}");
    return o.text;
  }
  std::deque<std::function<void()>> posted;
};

// The call returns with nothing added and the lists busy; the last step leaves the same
// lists, captions and notifications as adding in one go, for a folder and for a drop.
TEST(SteppedAdding, AFolderOrADropAddedInStepsEndsAsInOneGo) {
  const auto add = [](Stepped& f, bool drop) {
    if (drop) {
      f.lists.Adding().DropFiles(names::kButtonAddFilesToSrc,
                                 {f.dir / "tree", f.dir / "tree/e.txt"});
    } else {
      f.lists.Adding().AddDirectoryTree(f.dir / "tree", false);
    }
  };
  for (const bool drop : {false, true}) {
    SCOPED_TRACE(drop ? "drop" : "folder");
    Stepped whole;
    add(whole, drop);
    Stepped f;
    f.UseSteps();
    add(f, drop);
    EXPECT_TRUE(f.lists.Busy());
    EXPECT_TRUE(f.sources().Items().empty());
    EXPECT_GT(f.RunSteps(), 1);
    EXPECT_FALSE(f.lists.Busy());
    EXPECT_FALSE(f.job.window.progress.Visible());
    ASSERT_EQ(f.sources().Items().size(), 4u);
    EXPECT_EQ(f.State(), whole.State());
  }
}

}  // namespace
}  // namespace korvane::testing
