// Helper and data folders of a build tree and of an installed program.
#include "platform/install_layout.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/test_env.h"

namespace {

namespace fs = std::filesystem;
using korvane::testing::TempDir;

TEST(InstallLayout, HelperBesideTheProgramThenInstalledNeverTheCurrentFolder) {
  TempDir tmp;
  const std::string bin = tmp / "usr/bin";
  const std::string beside = tmp / "usr/bin/quillstub";
  const std::string installed = tmp / "usr/lib/korvane/quillstub";
  fs::create_directories(bin);

  // Neither place has it: the build tree's place is named.
  EXPECT_EQ(platform::HelperProgramPath(bin, "quillstub"), beside);

  // A folder of the helper's name is not the helper.
  fs::create_directories(installed);
  EXPECT_EQ(platform::HelperProgramPath(bin, "quillstub"), beside);
  fs::remove(installed);

  // The installed layout: <prefix>/bin/../lib/korvane, resolved.
  tmp.Write("usr/lib/korvane/quillstub", "x");
  EXPECT_EQ(platform::HelperProgramPath(bin, "quillstub"), installed);
  EXPECT_EQ(platform::HelperProgramPath(bin + "/", "quillstub"), installed);
  EXPECT_EQ(platform::HelperProgramPath(bin, "korvane-batch-runner"),
            tmp / "usr/bin/korvane-batch-runner");

  // The build tree: beside the program wins over an installed copy.
  tmp.Write("usr/bin/quillstub", "x");
  EXPECT_EQ(platform::HelperProgramPath(bin, "quillstub"), beside);

  // A helper in the current folder is never taken.
  tmp.Write("cwd/korvane-batch-runner", "x");
  const fs::path old = fs::current_path();
  fs::current_path(tmp / "cwd");
  const std::string found = platform::HelperProgramPath(bin, "korvane-batch-runner");
  fs::current_path(old);
  EXPECT_EQ(found, tmp / "usr/bin/korvane-batch-runner");
}

TEST(InstallLayout, FoldersAreResolvedFromTheProgramFolder) {
  EXPECT_EQ(platform::InstalledHelperDirectory("/opt/kv/bin"), "/opt/kv/lib/korvane");
  EXPECT_EQ(platform::InstalledDataDirectory("/opt/kv/bin"), "/opt/kv/share/korvane");
  EXPECT_EQ(platform::InstalledDataDirectory("/usr/bin/"), "/usr/share/korvane");
  // Without a program folder there is no installation to look in.
  EXPECT_EQ(platform::InstalledDataDirectory(""), "");
  EXPECT_EQ(platform::InstalledHelperDirectory(""), "");
}

}  // namespace
