#include "korvane/core/config/config_path.h"

#include <gtest/gtest.h>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/status_bar.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

using testing::ScriptedPerson;
using testing::TempDir;

class ConfigLocatorTest : public ::testing::Test {
 protected:
  TempDir dir;
  // Resolved, as the working folder is when a relative program path is made full.
  std::filesystem::path root = std::filesystem::canonical(dir.Path());
  ScriptedPerson person;
  StatusBar status{person};
  std::filesystem::path program = root / "bin" / "korvane";
  std::string devPath = (root / "_Korvane.Src" / "Korvane.INI").string();
  std::string localPath = (root / "bin" / "korvane.INI").string();

  void SetUp() override { std::filesystem::create_directories(program.parent_path()); }
};

TEST_F(ConfigLocatorTest, DevelopmentTreeWinsAndIsCached) {
  dir.Write("_Korvane.Src/Korvane.INI", "A=1\r\n");
  dir.Write("bin/korvane.INI", "B=1\r\n");
  ConfigLocator locator(program);
  EXPECT_EQ(locator.DevPath(), devPath) << "the \"..\" is resolved, not kept";
  EXPECT_EQ(locator.Path(status), devPath);

  // The answer stands even when the files go away afterwards.
  std::filesystem::remove_all(root / "_Korvane.Src");
  std::filesystem::remove(localPath);
  EXPECT_EQ(locator.Path(status), devPath);
  EXPECT_EQ(status.MessageList(), "");
}

TEST_F(ConfigLocatorTest, LocalFileIsNamedAfterTheProgram) {
  dir.Write("bin/korvane.INI", "B=1\r\n");
  // A folder of the dev name is no configuration file.
  std::filesystem::create_directories(devPath);
  EXPECT_EQ(ConfigLocator(program).Path(status), localPath);
  // The extension is replaced, not appended to.
  EXPECT_EQ(ConfigLocator(root / "bin" / "Korvane.exe").LocalPath(),
            (root / "bin" / "Korvane.INI").string());

  const auto old = std::filesystem::current_path();
  std::filesystem::current_path(root / "bin");
  ConfigLocator relative("./korvane");
  std::filesystem::current_path(old);
  EXPECT_EQ(relative.Path(status), localPath);
}

TEST_F(ConfigLocatorTest, InstalledConfigurationComesAfterTheSpecifiedPlaces) {
  const std::string installed = (root / "share" / "korvane" / "Korvane.INI").string();
  EXPECT_EQ(ConfigLocator(program).InstalledPath(), installed) << "<prefix>/bin/../share";
  dir.Write("share/korvane/Korvane.INI", "I=1\r\n");
  EXPECT_EQ(ConfigLocator(program).Path(status), installed);

  dir.Write("bin/korvane.INI", "B=1\r\n");
  EXPECT_EQ(ConfigLocator(program).Path(status), localPath);
  dir.Write("_Korvane.Src/Korvane.INI", "A=1\r\n");
  EXPECT_EQ(ConfigLocator(program).Path(status), devPath);
  EXPECT_EQ(ConfigLocator(program, "/x/named.INI").Path(status), "/x/named.INI");
  EXPECT_EQ(status.MessageList(), "");
}

TEST_F(ConfigLocatorTest, NoFileAbortsNamingThePlacesAndLeavingTheLocalPathCached) {
  ConfigLocator locator(program);
  const std::string message =
      "- No ini file is available for Korvane (looked for " + localPath + ", " + devPath + " and " +
      (root / "share" / "korvane" / "Korvane.INI").string() +
      "); start it with -Ini <file> to name the configuration and -Root <folder> for the tool "
      "root it belongs to";
  EXPECT_THROW(locator.Path(status), OperationAbort);
  EXPECT_EQ(status.MessageList(), message);
  EXPECT_EQ(locator.Cached(), localPath);
  // Once cached the path is answered without a second check.
  EXPECT_EQ(locator.Path(status), localPath);
  EXPECT_EQ(status.MessageList(), message);
}

}  // namespace
}  // namespace korvane
