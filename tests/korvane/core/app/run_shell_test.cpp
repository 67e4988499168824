#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "korvane/core/app/shell_fixture.h"

namespace korvane::testing {
namespace {

namespace fs = std::filesystem;

class RunShell : public ShellJobFixture {
 protected:
  // The stand-in wrapper started on the named sources, each entity taking delayMs.
  std::unique_ptr<Shell> StartRun(std::vector<std::string> sources, const char* delayMs) {
    fs::copy_file(std::string(KORVANE_TOOLROOT) + "/COBWrap/COBWrap", dir / "bin/COBWrap/COBWrap");
    auto shell = Start();
    FillIn(*shell, "PROD", "ACCT");
    for (const std::string& name : sources) {
      dir.Write("out/SourceCollection/" + name, "       IDENTIFICATION DIVISION.\r\n");
      shell->Sources().Sources().Add({name + "=/orig/" + name, true, true});
    }
    setenv("KORVANE_STANDIN_DELAY_MS", delayMs, 1);
    person.answers = {Button::Yes};  // the new output folder may be used
    EXPECT_TRUE(shell->Execute(names::kActRunWrap)) << shell->Status().Text();
    unsetenv("KORVANE_STANDIN_DELAY_MS");
    EXPECT_TRUE(shell->Runs().Running());
    return shell;
  }

  // The window serves the run while a question is open: a run that ends meanwhile is
  // reported as it ended, and the Yes that follows cancels nothing.
  void AnswerYesAfterTheRunEnded(const std::function<void(Shell&)>& ask) {
    auto shell = StartRun({"PAY.cbl"}, "300");
    person.onAsk = [&](const AskedQuestion&) {
      EXPECT_TRUE(shell->Runs().WaitForEnd(std::chrono::seconds(30)));
    };
    person.answers = {Button::Yes};
    ask(*shell);
    person.onAsk = nullptr;
    ASSERT_TRUE(shell->Runs().LastResult() && shell->Runs().LastResult()->end.has_value());
    EXPECT_EQ(shell->Runs().LastResult()->end->kind, RunEnd::Kind::Succeeded);
    EXPECT_EQ(shell->Status().Text().rfind("Analysis completed, processing finished: ", 0), 0u)
        << shell->Status().Text();
    EXPECT_FALSE(fs::exists(dir / "out/Semaphore.xml"));
  }
};
using RunEndingUnderAQuestion = RunShell;

// A real tool started by the shell: while it runs only viewing, saving, cancelling and exit
// get through, and a cancel the person confirms asks the tool to stop.
TEST_F(RunShell, WhileARunIsActiveTheGateHoldsAndACancelAsksTheToolToStop) {
  auto shell = StartRun({"PAY.cbl", "TAX.cbl", "VAT.cbl"}, "700");

  EXPECT_FALSE(shell->Execute("ActSortBySource"));
  EXPECT_EQ(shell->Status().Text(), "Only viewing,Save,Cancel & Exit are allowed when processing");
  person.answers = {Button::No};
  EXPECT_FALSE(shell->CloseQuery());  // No: the run and the window go on
  EXPECT_TRUE(shell->Runs().Running());

  person.answers = {Button::Yes};
  EXPECT_FALSE(shell->Execute("ActCancelRun"));
  EXPECT_EQ(shell->Status().Text(), "Background process cancelled!");
  EXPECT_TRUE(fs::exists(dir / "out/Semaphore.xml"));
  // (How a cancelled run ends and is reported: RunSessionTest.ACancelledRunSaysSoWithWhatItWrote.)
  EXPECT_TRUE(shell->Runs().WaitForEnd(std::chrono::seconds(30)));
}

// Of "Show console" and "Hide console" only the one that changes something is offered,
// from the start on and whoever shows or hides the console.
TEST_F(RunShell, OnlyTheConsoleCommandThatChangesSomethingIsOffered) {
  auto shell = Start();
  auto& console = shell->Form().Get<Memo>(names::kMemoCaptureConsole);
  auto& show = shell->Actions().Get(names::kActSwitchOnLog);
  auto& hide = shell->Actions().Get(names::kActSwitchOffLog);
  for (const bool shown : {console.Visible(), !console.Visible(), console.Visible()}) {
    console.SetVisible(shown);
    EXPECT_EQ(hide.Visible(), shown);
    EXPECT_EQ(show.Visible(), !shown);
    EXPECT_EQ(hide.Enabled(), shown);
    EXPECT_EQ(show.Enabled(), !shown);
  }
  ASSERT_TRUE(shell->Execute(console.Visible() ? names::kActSwitchOffLog : names::kActSwitchOnLog));
  EXPECT_EQ(hide.Visible(), console.Visible());
  EXPECT_NE(show.Visible(), hide.Visible());
}

TEST_F(RunEndingUnderAQuestion, TheCancelCommandCancelsNothing) {
  AnswerYesAfterTheRunEnded([](Shell& shell) { EXPECT_TRUE(shell.Execute("ActCancelRun")); });
}

TEST_F(RunEndingUnderAQuestion, ClosingTheWindowCancelsNothing) {
  // The window stays open once asked about a run; a second request closes it.
  AnswerYesAfterTheRunEnded([](Shell& shell) { EXPECT_FALSE(shell.CloseQuery()); });
}

}  // namespace
}  // namespace korvane::testing
