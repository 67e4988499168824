#include <gtest/gtest.h>

#include <algorithm>

#include "korvane/core/app/shell_fixture.h"
#include "korvane/core/components/lists.h"

namespace korvane::testing {
namespace {

namespace fs = std::filesystem;

class DosBoxShell : public ShellJobFixture {
 protected:
  DosBoxShell() {
    dir.Write("bin/korvane.INI", std::string(kShellIni) + "Runcontrol.UseDOSBox=Y\r\n");
    fs::copy_file(KORVANE_FAKE_DOSBOX, dir / "bin/dosbox");
    dosBoxLocations = {dir / "bin/dosbox"};
  }

  void Run(Shell& shell) {
    ASSERT_TRUE(shell.Execute(names::kActRunWrap)) << shell.Status().Text();
    ASSERT_TRUE(shell.Runs().WaitForEnd(std::chrono::seconds(30)));
    ASSERT_TRUE(shell.Runs().LastResult() && shell.Runs().LastResult()->end.has_value());
    EXPECT_EQ(shell.Runs().LastResult()->end->kind, RunEnd::Kind::Succeeded)
        << shell.Status().Text();
  }
};

// DOSBox mode from start-up on: the template written by DOSBox through the command line
// the shell builds, DOSBox started in the base directory, and what a DOS tool left in
// upper case found at the end, its log opened. Applying the configuration with the mode
// switched off turns the mode off. (The run's configuration bytes: dosbox_test and the
// DOSBox end-to-end test.)
TEST_F(DosBoxShell, RunsInDosBoxUntilTheConfigurationTurnsTheModeOff) {
  auto shell = Start();
  ASSERT_TRUE(shell->Runs().DosBox().On());
  EXPECT_EQ(dir.Read("bin/DOSBox.config"),
            "[cpu]\ncycles=auto\n\n[autoexec]\n# Lines in this section will be run at startup.\n");

  FillIn(*shell, "PROD", "ACCT");
  dir.Write("out/SourceCollection/PAY.cbl", "       IDENTIFICATION DIVISION.\r\n");
  // A type that needs no marked labels.
  shell->Form()
      .Get<StringListHolder>(names::kMarksHolder)
      .Keyed()
      .SetValue("PAY.cbl.WrpT", "Module");
  shell->Sources().Sources().Add({"PAY.cbl=/orig/PAY.cbl", true, true});
  // A DOS tool makes the names it is given in upper case.
  dir.Write("out/WRAPOUT/SRC0001.XML", "result");
  dir.Write("out/ACCT.LOG", "log");
  person.answers = {Button::Yes};  // the new output folder may be used
  Run(*shell);

  EXPECT_EQ(dir.Read("out/dosbox.runs"),
            "-conf|DOSBox.config|-noconsole|-exit|" + (dir / "out") + "\n");
  EXPECT_EQ(dir.Read("out/WRAPOUT/PAY.XML"), "result");
  EXPECT_FALSE(fs::exists(dir.Path() / "out/WRAPOUT/SRC0001.XML"));
  const auto& pages = shell->Viewer().Pages();
  EXPECT_TRUE(std::any_of(pages.begin(), pages.end(), [&](const auto& page) {
    return page->FileName() == dir / "out/ACCT.LOG";
  }));

  auto& memo = shell->Form().Get<Memo>(names::kMemoIniFile);
  memo.SetLines({"ActiveRadioButton=RadioButtonCobol", "RadioButtonCobol=Cobol,COB,x,2,XML,WSDL",
                 "COB.Extras=(DirDepth=3)", "Runcontrol.UseDOSBox=N"});
  ASSERT_TRUE(shell->Execute(names::kActApplyIniFile)) << shell->Status().Text();
  EXPECT_FALSE(shell->Runs().DosBox().On());  // the next run goes to the tool directly
}

}  // namespace
}  // namespace korvane::testing
