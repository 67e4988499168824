#include <gtest/gtest.h>

#include <algorithm>

#include "korvane/core/app/shell.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/form/component_names.h"
#include "platform/memory_settings.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

namespace n = names;
using testing::ScriptedPerson;
using testing::TempDir;

const char* kMinimalIni =
    "[Korvane]\r\n"
    "Date Written=0\r\n"
    "ActiveRadioButton=RadioButtonCobol\r\n"
    "RadioButtonCobol=Cobol,COB,x,1,XML\r\n"
    "Runcontrol.MessagesOnTop=N\r\n";

class ShellStartup : public ::testing::Test {
 protected:
  std::unique_ptr<Shell> MakeShell(const std::string& programName,
                                   std::vector<std::string> args = {},
                                   const std::string& iniOverride = {}) {
    const std::string program = dir.Write("bin/" + programName, "");
    return std::make_unique<Shell>(person, settings,
                                   ShellEnvironment{program, args, iniOverride, dir / "data"});
  }
  // Writes the configuration beside the program and creates the shell.
  std::unique_ptr<Shell> Created(const std::string& ini = kMinimalIni) {
    dir.Write("bin/korvane.INI", ini);
    auto shell = MakeShell("korvane");
    EXPECT_TRUE(shell->Create()) << shell->Status().MessageList();
    return shell;
  }

  TempDir dir;
  ScriptedPerson person;
  platform::MemorySettings settings;
};

TEST_F(ShellStartup, ProgramNameIsComparedWithoutCaseOrExtension) {
  dir.Write("bin/KORVANE.INI", kMinimalIni);
  auto shell = MakeShell("KORVANE.EXE");
  EXPECT_TRUE(shell->Create()) << shell->Status().MessageList();
  EXPECT_TRUE(shell->ProfileTaken());
  EXPECT_EQ(shell->Form().Get<PageControl>(n::kPageControlMain).ActivePage(), n::kPageLanguages);

  // Another name stops before the profile or the configuration is touched.
  dir.Write("bin/Korvane.INI", kMinimalIni);
  auto wrong = MakeShell("wrapshell");
  EXPECT_FALSE(wrong->Create());
  EXPECT_FALSE(wrong->ProfileTaken());
  EXPECT_EQ(wrong->Status().Text(), "Application name: wrapshell is invalid");
  EXPECT_TRUE(wrong->Config().Empty());
  EXPECT_FALSE(wrong->Form().Get<Page>(n::kPageLanguages).Visible());
}

TEST_F(ShellStartup, MissingConfigurationShowsBothMessagesAndDisablesTheShell) {
  auto shell = MakeShell("korvane");
  EXPECT_FALSE(shell->Create());
  const std::string local = dir / "bin/korvane.INI";
  const std::string messages = shell->Status().MessageList();
  EXPECT_EQ(messages.rfind("- No ini file is available for Korvane (looked for ", 0), 0u);
  const std::string last = "\r\n- Cannot access product ini file - " + local;
  ASSERT_GE(messages.size(), last.size());
  EXPECT_EQ(messages.substr(messages.size() - last.size()), last);
  EXPECT_EQ(std::count(messages.begin(), messages.end(), '\n'), 1) << messages;
  EXPECT_FALSE(shell->Form().Get<PageControl>(n::kPageControlMain).Enabled());
  EXPECT_TRUE(shell->MainMenuEmpty());
}

TEST_F(ShellStartup, ConfigurationBesideTheProgramInTheDevelopmentFolderOrNamed) {
  auto shell = Created();
  EXPECT_EQ(shell->Form().Get<GroupBox>(n::kGroupIniFile).Caption(),
            "Product ini file : " + (dir / "bin/korvane.INI"));
  const auto& lines = shell->Form().Get<Memo>(n::kMemoIniFile).Lines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[3], "RadioButtonCobol=Cobol,COB,x,1,XML");
  EXPECT_EQ(shell->Config().Value("activeradiobutton"), "RadioButtonCobol");

  // A configuration named on the command line wins (the locator's own tests cover the rest).
  const std::string named = dir.Write("elsewhere/my.ini", "Named=1\r\n");
  auto other = MakeShell("korvane", {"-Ini", named}, named);
  ASSERT_TRUE(other->Create());
  EXPECT_EQ(other->Config().Value("Named"), "1");
}

// Tools start in the job's folder: a root named relative to here becomes absolute; a
// root with a Migrate/Korvane folder below it takes that one.
TEST_F(ShellStartup, ToolRootFollowsTheSwitchAndTheMigrateRule) {
  std::filesystem::create_directories(dir.Path() / "TOOLS/Migrate/Korvane");
  std::filesystem::create_directories(dir.Path() / "other/tools");
  dir.Write("bin/korvane.INI", kMinimalIni);
  const auto here = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path() / "other");
  for (const auto& [args, root] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{}, "bin"},
           {{"-root", dir / "TOOLS/"}, "TOOLS/Migrate/Korvane"},
           {{"-Root", dir / "other/tools"}, "other/tools"},
           {{"-Root", "./tools/"}, "other/tools"}}) {
    auto shell = MakeShell("korvane", args);
    EXPECT_TRUE(shell->Create()) << root;
    EXPECT_EQ(shell->ToolRoot(), dir / root);
  }
  std::filesystem::current_path(here);
}

TEST_F(ShellStartup, RunControlFlagsFirstKeyWinsAndDosBoxSwitchesCaptureOff) {
  auto shell = Created(
      "runcontrol.debugmode=Y\r\nRuncontrol.DebugMode=N\r\n"
      "Runcontrol.UseDOSBox=Y\r\nRuncontrol.Blindrun=Y\r\nRuncontrol.CaptureLog=True\r\n"
      "Runcontrol.SystemBigDirectoryLimit=7\r\n");
  EXPECT_TRUE(shell->Flags().debugMode);
  EXPECT_TRUE(shell->Flags().useDosBox);
  EXPECT_FALSE(shell->Flags().blindRun);
  EXPECT_FALSE(shell->Flags().captureLog);
  EXPECT_TRUE(shell->Flags().renameAfter);
  EXPECT_EQ(shell->Flags().bigDirectoryLimit, 7);

  for (const char* limit : {"", "0"}) {
    EXPECT_EQ(Created(std::string("Runcontrol.SystemBigDirectoryLimit=") + limit)
                  ->Flags()
                  .bigDirectoryLimit,
              50);
  }
}

TEST_F(ShellStartup, ShowWritesTheProgramVersionAndActivatesTheDefaultProduct) {
  std::filesystem::create_directories(dir.Path() / "bin/COBWrap");
  auto shell = Created();
  ASSERT_TRUE(shell->Show()) << shell->Status().MessageList();
  EXPECT_EQ(shell->Caption(), "Korvane main shell - Cobol []");  // no job name yet
  EXPECT_TRUE(shell->Form().Get<RadioButton>("RadioButtonCobol").Checked());
  EXPECT_EQ(shell->Catalogue().LangCode(), "COB");
  // A new version registers the job file type with the two verbs.
  const std::string entry = dir.Read("data/applications/korvane-jwrap.desktop");
  EXPECT_NE(entry.find(" -root "), std::string::npos) << entry;
  EXPECT_NE(entry.find("-sha"), std::string::npos) << entry;
  const auto stored =
      settings.Read("Software\\Brevik\\Korvane Shell\\Parameters\\", "ProgramVersion");
  ASSERT_TRUE(stored.has_value());
  EXPECT_FALSE(stored->empty());
}

TEST_F(ShellStartup, SaveAndApplyTakeTheEditedMemoSaveWritesItWithItsStamp) {
  std::filesystem::create_directories(dir.Path() / "bin/COBWrap");
  auto shell = Created(
      "[Korvane]\r\nActiveRadioButton=RadioButtonCobol\r\nRadioButtonCobol=Cobol,COB,x,1,XML\r\n");
  auto& memo = shell->Form().Get<Memo>(n::kMemoIniFile);
  auto lines = memo.Lines();
  lines.push_back("Runcontrol.MessagesOnTop=Y");
  memo.UserEdit(lines);
  EXPECT_FALSE(shell->Flags().messagesOnTop);  // edits wait for apply or save

  ASSERT_TRUE(shell->Execute(n::kActWriteIniFile));
  EXPECT_TRUE(shell->Flags().messagesOnTop);
  // Saved with its stamp, which the memo shows too (the stamp's rules are the file's).
  const std::string saved = dir.Read("bin/korvane.INI");
  EXPECT_NE(saved.find("\r\nRadioButtonCobol=Cobol,COB,x,1,XML\r\nRuncontrol.MessagesOnTop=Y\r\n"),
            std::string::npos);
  EXPECT_EQ(memo.Lines().size(), 5u);

  // The apply button runs the apply action without saving.
  memo.UserEdit({"Runcontrol.MessagesOnTop=N"});
  shell->Form().Get<ButtonControl>(n::kButtonApplyChanges).clicked.Emit();
  EXPECT_FALSE(shell->Flags().messagesOnTop);
  EXPECT_EQ(dir.Read("bin/korvane.INI"), saved);
}

TEST_F(ShellStartup, ShowMarksProductsWithoutToolsAndStopsWithoutAnyProduct) {
  auto shell = Created();
  // The catalogue marks the product; the memo must show the marked configuration.
  EXPECT_FALSE(shell->Show());
  const auto& memo = shell->Form().Get<Memo>(n::kMemoIniFile).Lines();
  EXPECT_EQ(memo[3], "Not installed RadioButtonCobol=Cobol,COB,x,1,XML");
  EXPECT_FALSE(shell->Form().Get<RadioButton>("RadioButtonCobol").Enabled());
}

}  // namespace
}  // namespace korvane
