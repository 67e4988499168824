#include "korvane/core/config/config_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <ctime>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/common/text_file.h"
#include "korvane/core/config/config_path.h"
#include "korvane/core/config/date_format.h"
#include "korvane/core/config/tool_configuration.h"
#include "platform/test_env.h"
#include "support/golden.h"
#include "support/scripted_person.h"
#include "support/svc_observations.h"
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

// Reading the file itself is the text file's; loading adds the locator and its failures.
TEST_F(ConfigFileTest, LoadThroughTheLocatorAndItsFailures) {
  dir.Write("bin/korvane.INI", "; header\r\nActiveRadioButton=RadioButtonCobol\r\n");
  ToolConfiguration config;
  testing::Observations o;
  const auto load = [&](ConfigLocator locator) {
    ConfigLoadResult result;
    EXPECT_NO_THROW(result = LoadToolConfiguration(locator, config, status));
    o("loaded", result.ok)("path", result.path)("failed", !result.error.empty());
    o("lines", config.Lines())("messages", status.MessageList());
    status.ClearMessages();
  };
  load(ConfigLocator(dir.Path() / "bin" / "korvane"));
  // No file at either place: the locator's message is listed, the local path is kept.
  load(ConfigLocator(dir.Path() / "none" / "korvane"));
  // A named file that cannot be read: no locator message, the system's reason is kept.
  load(ConfigLocator(dir.Path() / "bin" / "korvane", Path("absent.INI")));
  o.Compare("config/load.txt", {{"{dir}", dir.Path().string()}});
}

TEST(DateFormatTest, ClassicLocaleGivesShortDateAndLongTime) {
  {
    platform_test::ScopedEnv tz("TZ", "UTC");
    tzset();
    EXPECT_EQ(FormatDateTime(1710407565, std::locale::classic()), "03/14/24 09:12:45");
  }
  tzset();
}

TEST_F(ConfigFileTest, SaveInsertsTheStampAsSecondLineAndWritesCrLf) {
  dir.Write("Korvane.INI", "old content\n");
  ToolConfiguration config({"; Korvane tool configuration", "RadioButtonCobol=Cobol,COB,1,1,XML",
                            "COB.Extras=(DirDepth=2)"});
  SaveToolConfiguration(config, Path("Korvane.INI"), status, kNow);
  const std::string stamp = LocaleDateTime(kNow);
  ASSERT_FALSE(stamp.empty());
  testing::ExpectGolden("config/saved.INI", dir.Read("Korvane.INI"), {{"{stamp}", stamp}});

  // Short files: one line gets the stamp after it, none gets it alone.
  ToolConfiguration one({"OnlyLine=1"});
  SaveToolConfiguration(one, Path("one.INI"), status, kNow);
  EXPECT_EQ(one.Lines(), (std::vector<std::string>{"OnlyLine=1", "Date Written=" + stamp}));
  ToolConfiguration none;
  SaveToolConfiguration(none, Path("none.INI"), status, kNow);
  EXPECT_EQ(dir.Read("none.INI"), "Date Written=" + stamp + "\r\n");

  // An existing stamp is updated where it stands; no second one appears.
  ToolConfiguration stamped({"a=1", "b=2", "c=3", "date written=0"});
  SaveToolConfiguration(stamped, Path("stamped.INI"), status, kNow);
  EXPECT_EQ(stamped.Lines().size(), 4u);
  EXPECT_EQ(stamped.Keyed().IndexOfName("Date Written"), 3);
  EXPECT_EQ(stamped.Value("Date Written"), stamp);
  EXPECT_TRUE(person.asked.empty());
}

TEST_F(ConfigFileTest, SaveFailureSwitchesToMessageBoxesAndKeepsWhatWasThere) {
  const std::string missingFolder = Path("no/such/folder/Korvane.INI");
  ToolConfiguration config({"New=1"});
  EXPECT_THROW(SaveToolConfiguration(config, missingFolder, status, kNow), OperationAbort);
  EXPECT_TRUE(status.UseMessageBox());
  EXPECT_FALSE(fs::exists(missingFolder));

  // A folder standing where the file should be is not replaced, nor is its content.
  const std::string folder = Path("Korvane.INI");
  dir.Write("Korvane.INI/inside.txt", "keep");
  EXPECT_THROW(SaveToolConfiguration(config, folder, status, kNow), OperationAbort);
  EXPECT_EQ(dir.Read("Korvane.INI/inside.txt"), "keep");
  testing::ExpectGolden("config/save_failures.txt", person.transcript,
                        {{"{dir}", dir.Path().string()}});

  // A read-only folder keeps the old file and gets nothing else (not binding for root).
  const fs::path locked = dir.Path() / "locked";
  dir.Write("locked/Korvane.INI", "Old=1\r\n");
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  if (access(locked.c_str(), W_OK) != 0) {
    EXPECT_THROW(SaveToolConfiguration(config, Path("locked/Korvane.INI"), status, kNow),
                 OperationAbort);
    EXPECT_EQ(dir.Read("locked/Korvane.INI"), "Old=1\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(locked), fs::directory_iterator()), 1);
  }
  fs::permissions(locked, fs::perms::owner_all);
}

}  // namespace
}  // namespace korvane
