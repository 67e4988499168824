#include "korvane/core/config/config_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/common/text.h"
#include "korvane/core/common/text_file.h"
#include "korvane/core/config/config_path.h"
#include "korvane/core/config/date_format.h"
#include "korvane/core/config/tool_configuration.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

using testing::ScriptedPerson;
using testing::TempDir;

namespace fs = std::filesystem;

class ConfigFileTest : public ::testing::Test {
 protected:
  TempDir dir;
  ScriptedPerson person;
  StatusBar status{person};
  // 2024-03-14 09:12:45 UTC
  static constexpr std::time_t kNow = 1710407565;

  std::string Path(const char* name) const { return (dir.Path() / name).string(); }
};

TEST_F(ConfigFileTest, LoadKeepsBytesAndAcceptsEveryLineEnd) {
  const std::string junk("\x00\x01\xff\xfe=\x80\x00Value\x1a", 13);
  dir.Write("Korvane.INI", "A=1\r\nB=2\rC=3\n\r\n" + junk + "\nLast=no end");
  const auto lines = LoadConfigurationLines(Path("Korvane.INI"));
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "A=1");
  EXPECT_EQ(lines[1], "B=2");
  EXPECT_EQ(lines[2], "C=3");
  EXPECT_EQ(lines[3], "") << "an empty line between two line ends stays";
  EXPECT_EQ(lines[4], junk) << "NUL and high bytes are kept";
  EXPECT_EQ(lines[5], "Last=no end");

  ToolConfiguration config(lines);
  EXPECT_EQ(config.Value("last"), "no end");
  EXPECT_EQ(config.Value(std::string("\x00\x01\xff\xfe", 4)), std::string("\x80\x00Value\x1a", 8));

  // One huge line without any line end.
  const std::string big(1 << 20, 'x');
  dir.Write("big.INI", "Huge=" + big);
  const auto bigLines = LoadConfigurationLines(Path("big.INI"));
  ASSERT_EQ(bigLines.size(), 1u);
  EXPECT_EQ(ToolConfiguration(bigLines).Value("HUGE"), big);

  dir.Write("empty.INI", "");
  EXPECT_TRUE(LoadConfigurationLines(Path("empty.INI")).empty());
  EXPECT_THROW(LoadConfigurationLines(Path("missing.INI")), FileError);
  EXPECT_THROW(LoadConfigurationLines(dir.Path().string()), FileError) << "a folder";
}

TEST_F(ConfigFileTest, LoadThroughTheLocator) {
  dir.Write("bin/korvane.INI", "; header\r\nActiveRadioButton=RadioButtonCobol\r\n");
  ConfigLocator locator(dir.Path() / "bin" / "korvane");
  ToolConfiguration config;
  const ConfigLoadResult result = LoadToolConfiguration(locator, config, status);
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.path, (dir.Path() / "bin" / "korvane.INI").string());
  EXPECT_EQ(config.Value("ActiveRadioButton"), "RadioButtonCobol");
  EXPECT_EQ(config.Lines().size(), 2u);
  EXPECT_EQ(status.MessageList(), "");
}

TEST_F(ConfigFileTest, LoadFailuresLeaveTheConfigurationAndReportThePath) {
  ToolConfiguration config({"Kept=1"});

  // No file at either place: the locator's message is listed, the local path is kept.
  ConfigLocator nowhere(dir.Path() / "bin" / "korvane");
  ConfigLoadResult result;
  EXPECT_NO_THROW(result = LoadToolConfiguration(nowhere, config, status));
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.path, (dir.Path() / "bin" / "korvane.INI").string());
  EXPECT_EQ(status.MessageList(), "- No ini file is available for Korvane");
  EXPECT_EQ(config.Lines(), std::vector<std::string>{"Kept=1"});

  // The caller's closing message joins the list.
  EXPECT_THROW(status.AddErrorAndAbort("Cannot access product ini file - " + result.path),
               OperationAbort);
  EXPECT_EQ(status.MessageList(),
            "- No ini file is available for Korvane\r\n- Cannot access product ini file - " +
                result.path);
  EXPECT_EQ(status.Text(), "More than one message, click here to get them!");

  // A named file that cannot be read: no locator message, the system's reason is kept.
  status.ClearMessages();
  ConfigLocator named(dir.Path() / "bin" / "korvane", Path("absent.INI"));
  result = LoadToolConfiguration(named, config, status);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.path, Path("absent.INI"));
  EXPECT_FALSE(result.error.empty());
  EXPECT_EQ(status.MessageList(), "");
  EXPECT_EQ(config.Lines(), std::vector<std::string>{"Kept=1"});
}

TEST(DateFormatTest, ClassicLocaleGivesShortDateAndLongTime) {
  const char* oldTz = std::getenv("TZ");
  const std::string saved = oldTz ? oldTz : "";
  setenv("TZ", "UTC", 1);
  tzset();
  EXPECT_EQ(FormatDateTime(1710407565, std::locale::classic()), "03/14/24 09:12:45");
  EXPECT_EQ(FormatDateTime(0, std::locale::classic()), "01/01/70 00:00:00");
  if (oldTz) {
    setenv("TZ", saved.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

TEST_F(ConfigFileTest, SaveInsertsTheStampAsSecondLineAndWritesCrLf) {
  const std::string path = Path("Korvane.INI");
  dir.Write("Korvane.INI", "old content\n");
  ToolConfiguration config({
      "; Korvane tool configuration",
      "RadioButtonCobol=Cobol,COB,1,1,XML",
      "COB.Extras=(DirDepth=2)",
  });
  SaveToolConfiguration(config, path, status, kNow);
  const std::string stamp = LocaleDateTime(kNow);
  ASSERT_FALSE(stamp.empty());
  ASSERT_EQ(config.Lines().size(), 4u);
  EXPECT_EQ(config.Lines()[1], "Date Written=" + stamp) << "before the product key";
  EXPECT_EQ(config.Lines()[2], "RadioButtonCobol=Cobol,COB,1,1,XML");
  EXPECT_EQ(dir.Read("Korvane.INI"),
            "; Korvane tool configuration\r\nDate Written=" + stamp +
                "\r\nRadioButtonCobol=Cobol,COB,1,1,XML\r\nCOB.Extras=(DirDepth=2)\r\n");

  // A second save replaces the stamp where it is; no second line appears.
  config.SetValue("COB.Extras", "(DirDepth=3)");
  SaveToolConfiguration(config, path, status, kNow + 3600);
  EXPECT_EQ(config.Lines().size(), 4u);
  EXPECT_EQ(config.Value("Date Written"), LocaleDateTime(kNow + 3600));
  EXPECT_EQ(SplitLines(dir.Read("Korvane.INI")), config.Lines());
  EXPECT_TRUE(person.asked.empty());
  EXPECT_EQ(status.MessageList(), "");
}

TEST_F(ConfigFileTest, SaveStampsShortFilesAndKeepsAWrittenStampInPlace) {
  ToolConfiguration one({"OnlyLine=1"});
  SaveToolConfiguration(one, Path("one.INI"), status, kNow);
  ASSERT_EQ(one.Lines().size(), 2u);
  EXPECT_EQ(one.Lines()[0], "OnlyLine=1");
  EXPECT_EQ(one.Lines()[1], "Date Written=" + LocaleDateTime(kNow));

  ToolConfiguration none;
  SaveToolConfiguration(none, Path("none.INI"), status, kNow);
  EXPECT_EQ(dir.Read("none.INI"), "Date Written=" + LocaleDateTime(kNow) + "\r\n");

  // An existing stamp further down is updated where it stands.
  ToolConfiguration stamped({"a=1", "b=2", "c=3", "date written=0"});
  SaveToolConfiguration(stamped, Path("stamped.INI"), status, kNow);
  ASSERT_EQ(stamped.Lines().size(), 4u);
  EXPECT_EQ(stamped.Lines()[1], "b=2");
  EXPECT_EQ(stamped.Value("Date Written"), LocaleDateTime(kNow));
  EXPECT_EQ(stamped.Keyed().IndexOfName("Date Written"), 3);
}

TEST_F(ConfigFileTest, SaveFailureSwitchesToMessageBoxesAndKeepsTheOldFile) {
  const fs::path locked = dir.Path() / "locked";
  const std::string path = (locked / "Korvane.INI").string();
  dir.Write("locked/Korvane.INI", "Old=1\r\n");
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  if (access(locked.c_str(), W_OK) == 0) {
    fs::permissions(locked, fs::perms::owner_all);
    GTEST_SKIP() << "folder permissions do not bind this user";
  }
  ToolConfiguration config({"New=1"});
  bool aborted = false;
  try {
    SaveToolConfiguration(config, path, status, kNow);
  } catch (const OperationAbort&) {
    aborted = true;
  }
  fs::permissions(locked, fs::perms::owner_all);

  EXPECT_TRUE(aborted);
  EXPECT_TRUE(status.UseMessageBox());
  ASSERT_EQ(person.asked.size(), 1u);
  EXPECT_EQ(person.asked[0].text, "Cannot write to " + path);
  EXPECT_EQ(person.asked[0].kind, MessageKind::Error);
  EXPECT_EQ(dir.Read("locked/Korvane.INI"), "Old=1\r\n");
  // Nothing but the old file is left behind in the folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(locked), fs::directory_iterator()), 1);
}

TEST_F(ConfigFileTest, SaveFailureWithoutPermissionsInPlay) {
  // These fail for every user, the superuser included.
  const std::string missingFolder = Path("no/such/folder/Korvane.INI");
  ToolConfiguration config({"New=1"});
  EXPECT_THROW(SaveToolConfiguration(config, missingFolder, status, kNow), OperationAbort);
  EXPECT_TRUE(status.UseMessageBox());
  ASSERT_EQ(person.asked.size(), 1u);
  EXPECT_EQ(person.asked[0].text, "Cannot write to " + missingFolder);
  EXPECT_EQ(status.Colour(), StatusColour::Error);
  EXPECT_FALSE(fs::exists(missingFolder));

  // A folder standing where the file should be is not replaced, nor is its content.
  status.ClearMessages();
  const std::string folder = Path("Korvane.INI");
  dir.Write("Korvane.INI/inside.txt", "keep");
  EXPECT_THROW(SaveToolConfiguration(config, folder, status, kNow), OperationAbort);
  // The message stays in a box from now on.
  ASSERT_EQ(person.asked.size(), 2u);
  EXPECT_EQ(person.asked[1].text, "Cannot write to " + folder);
  EXPECT_EQ(dir.Read("Korvane.INI/inside.txt"), "keep");
  status.ShowWarning("later");
  EXPECT_EQ(person.asked.size(), 3u);
}

}  // namespace
}  // namespace korvane
