#include "platform/file_type_registry.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/test_env.h"
#include "support/golden.h"

namespace {

namespace fs = std::filesystem;
using korvane::testing::ExpectGolden;
using korvane::testing::TempDir;
using platform::FileTypeRegistry;

const std::string kType = "KV Korvane Job Definition";

TEST(FileTypeRegistry, WritesTheMimePackageAsSoonAsTheExtensionIsKnown) {
  TempDir tmp;
  FileTypeRegistry reg(tmp.Path());
  EXPECT_EQ(FileTypeRegistry::MimeTypeFor(".JWrap"), "application/x-korvane-job");
  ASSERT_TRUE(reg.SetExtensionType(".jwrap", "Jobs <A&B>"));
  ExpectGolden("platform/mime_package.xml", tmp.Read("mime/packages/x-korvane-jwrap.xml"));
  // No verb yet, so no command to open a file with: no desktop entry.
  EXPECT_FALSE(fs::exists(tmp.Path() / "applications"));

  // An icon that is no image file adds nothing to the desktop entry.
  ASSERT_TRUE(reg.SetDefaultIcon("jobs <a&b>", "/opt/k/korvane,0"));
  ASSERT_TRUE(reg.SetShellVerb("Jobs <A&B>", "Open", "", "k \"%1\""));
  ExpectGolden("platform/desktop_entry.desktop", tmp.Read("applications/korvane-jwrap.desktop"));
}

TEST(FileTypeRegistry, DefaultVerbLeadsAndVerbsCanBeReplaced) {
  TempDir tmp;
  FileTypeRegistry reg(tmp.Path());
  // Verbs and icon may come before the extension; they are kept for it.
  ASSERT_TRUE(reg.SetShellVerb(kType, "Print", "Print it", "lp \"%1\""));
  ASSERT_TRUE(reg.SetShellVerb(kType, "Open", "Start", "k \"%1\""));
  ASSERT_TRUE(reg.SetDefaultIcon(kType, "/usr/share/k/job.SVG,-3"));
  EXPECT_FALSE(fs::exists(tmp.Path() / "applications"));
  ASSERT_TRUE(reg.SetExtensionType(".jwrap", kType));
  // Registering a verb again replaces it in place and makes it the default.
  ASSERT_TRUE(reg.SetShellVerb(kType, "print", "Print now", "lp -x \"%1\""));
  // Characters not allowed in an action name are dropped from it.
  ASSERT_TRUE(reg.SetShellVerb(kType, "Edit_Me", "Edit\\n", "ed %1"));
  ASSERT_TRUE(reg.SetShellVerb(kType, "Open", "Start", "k -a \"%1\""));
  ExpectGolden("platform/desktop_entry_verbs.desktop",
               tmp.Read("applications/korvane-jwrap.desktop"));
  // Only the two files, written whole: nothing temporary left beside them.
  for (const char* dir : {"applications", "mime/packages"}) {
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.Path() / dir), fs::directory_iterator()), 1)
        << dir;
  }
}

TEST(FileTypeRegistry, RefusesWhatCannotBeWritten) {
  TempDir tmp;
  FileTypeRegistry reg(tmp.Path());
  for (const std::string ext : {"", ".", "../x", ".a/b", ".j wrap"}) {
    SCOPED_TRACE(ext);
    EXPECT_FALSE(reg.SetExtensionType(ext, kType));
    EXPECT_TRUE(reg.MimePackagePath(ext).empty());
  }
  EXPECT_FALSE(reg.SetExtensionType(".jwrap", ""));
  EXPECT_FALSE(reg.SetShellVerb(kType, "", "c", "k %1"));
  EXPECT_TRUE(fs::is_empty(tmp.Path()));

  FileTypeRegistry nowhere{fs::path()};
  EXPECT_FALSE(nowhere.SetExtensionType(".jwrap", kType));

  // The data folder is a file: the registration fails without harm.
  tmp.Write("data", "x");
  FileTypeRegistry blocked(tmp.Path() / "data");
  EXPECT_FALSE(blocked.SetExtensionType(".jwrap", kType));
  EXPECT_EQ(tmp.Read("data"), "x");
}

}  // namespace

namespace {

// Stand-ins for the desktop's cache tools on a private PATH: each notes the folder it
// was given, so the test sees which caches were rebuilt and with which argument.
TEST(FileTypeRegistry, RefreshRunsTheDesktopCacheToolsFoundOnThePath) {
  TempDir dir;
  const std::string log = dir / "calls.log";
  for (const char* tool : {"update-mime-database", "update-desktop-database"}) {
    const std::string path =
        dir.Write(std::string("bin/") + tool,
                  "#!/bin/sh\necho \"" + std::string(tool) + " $1\" >> '" + log + "'\n");
    fs::permissions(path, fs::perms::owner_all);
  }
  FileTypeRegistry registry(dir.Path() / "data");
  {
    platform_test::ScopedEnv path("PATH", dir / "bin");
    EXPECT_TRUE(registry.RefreshDesktopDatabases());
  }
  EXPECT_EQ(dir.Read("calls.log"), "update-mime-database " + (dir / "data/mime") +
                                       "\nupdate-desktop-database " + (dir / "data/applications") +
                                       "\n");
  // Without the tools the files stay as written and the refresh says it could not run.
  platform_test::ScopedEnv path("PATH", dir / "nowhere");
  EXPECT_FALSE(registry.RefreshDesktopDatabases());
}

}  // namespace
