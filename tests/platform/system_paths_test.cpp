#include "platform/system_paths.h"
#include "platform/text_editor.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/test_env.h"

namespace {

namespace fs = std::filesystem;
using korvane::testing::TempDir;
using platform_test::ScopedEnv;

TEST(SystemPaths, ProgramPathIsThisTestProgram) {
  const std::string path = platform::ProgramPath();
  EXPECT_TRUE(fs::path(path).is_absolute());
  EXPECT_TRUE(fs::is_regular_file(path));
  EXPECT_EQ(platform::ProgramDirectory() + "/test_platform", path);
}

TEST(SystemPaths, DocumentsFolderPrefersTheConfiguredFolder) {
  TempDir tmp;
  const std::string home = tmp / "home";
  ScopedEnv homeVar("HOME", home);
  ScopedEnv xdg("XDG_CONFIG_HOME", std::nullopt);
  fs::create_directories(home);

  // Nothing configured and no Documents folder: the home folder.
  EXPECT_EQ(platform::DocumentsFolder(), home);
  EXPECT_EQ(platform::PersonalFolder(), home);

  fs::create_directories(home + "/Documents");
  EXPECT_EQ(platform::DocumentsFolder(), home + "/Documents");

  // The user-dirs file: comments skipped, the last assignment wins, escaped
  // characters inside the quotes taken literally.
  fs::create_directories(home + "/My \"Docs\"");
  tmp.Write("home/.config/user-dirs.dirs",
            "# XDG_DOCUMENTS_DIR=\"$HOME/commented\"\n"
            "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
            "XDG_DOCUMENTS_DIR=\"$HOME/first\"\n"
            "  XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\"/\"\n");
  EXPECT_EQ(platform::DocumentsFolder(), home + "/My \"Docs\"");

  // An absolute value is taken as it is; the file is found through
  // XDG_CONFIG_HOME when that is set.
  fs::create_directories(tmp / "elsewhere");
  tmp.Write("cfg/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"" + (tmp / "elsewhere") + "\"\n");
  {
    ScopedEnv cfg("XDG_CONFIG_HOME", tmp / "cfg");
    EXPECT_EQ(platform::DocumentsFolder(), tmp / "elsewhere");
  }

  // A configured folder that is missing, relative, unquoted or names another
  // variable falls back to Documents.
  fs::create_directories(home + "/first");
  for (const std::string line :
       {"XDG_DOCUMENTS_DIR=\"$HOME/gone\"", "XDG_DOCUMENTS_DIR=\"docs\"",
        "XDG_DOCUMENTS_DIR=$HOME/first", "XDG_DOCUMENTS_DIR=\"$HOMEX/first\"",
        "XDG_DOCUMENTS_DIRX=\"$HOME/first\"", "XDG_DOCUMENTS_DIR=\"$HOME/first"}) {
    SCOPED_TRACE(line);
    tmp.Write("home/.config/user-dirs.dirs", line + "\n");
    EXPECT_EQ(platform::DocumentsFolder(), home + "/Documents");
  }

  // "$HOME" alone is the home folder itself.
  tmp.Write("home/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/\"\r\n");
  EXPECT_EQ(platform::DocumentsFolder(), home);
}

TEST(SystemPaths, DocumentsFolderWithoutHome) {
  TempDir tmp;
  ScopedEnv homeVar("HOME", std::nullopt);
  ScopedEnv xdg("XDG_CONFIG_HOME", std::nullopt);
  EXPECT_EQ(platform::DocumentsFolder(), "");

  // An absolute configured folder needs no home folder.
  tmp.Write("cfg/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"" + (tmp / "docs") + "\"\n");
  fs::create_directories(tmp / "docs");
  ScopedEnv cfg("XDG_CONFIG_HOME", tmp / "cfg");
  EXPECT_EQ(platform::DocumentsFolder(), tmp / "docs");
  tmp.Write("cfg/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n");
  EXPECT_EQ(platform::DocumentsFolder(), "");
}

TEST(SystemPaths, ShortDirectoryPath) {
  TempDir tmp;
  std::string message = "left over";
  std::string dir = tmp.Path().string() + "/";
  EXPECT_FALSE(platform::ShortDirectoryPath(dir, message));
  EXPECT_EQ(dir, tmp.Path().string() + "/");
  EXPECT_EQ(message, "");

  tmp.Write("file.txt", "x");
  for (const std::string& missing : {tmp / "file.txt", std::string()}) {
    SCOPED_TRACE(missing);
    dir = missing;
    EXPECT_TRUE(platform::ShortDirectoryPath(dir, message));
    EXPECT_EQ(dir, "");
    EXPECT_EQ(message, "Directory doesn't exist");
  }
}

TEST(SystemPaths, TextEditorFollowsVisualThenTheDesktopsEditorsThenXdgOpen) {
  TempDir tmp;
  auto program = [&](const std::string& rel) {
    const std::string path = tmp.Write(rel, "#!/bin/true\n");
    fs::permissions(path, fs::perms::owner_all);
    return path;
  };
  const std::string a = tmp / "a";
  const std::string b = tmp / "b";
  const std::string search = a + ":" + b;
  EXPECT_EQ(platform::ChooseTextEditor("", search), "xdg-open");  // nothing found at all
  const std::string open = program("b/xdg-open");
  EXPECT_EQ(platform::ChooseTextEditor("myedit", search), open);
  tmp.Write("a/kate", "not executable");
  const std::string mousepad = program("b/mousepad");
  EXPECT_EQ(platform::ChooseTextEditor("", search), mousepad);
  const std::string kate = program("b/kate");  // earlier in the list of editors
  EXPECT_EQ(platform::ChooseTextEditor("", search), kate);
  const std::string mine = program("b/myedit");
  EXPECT_EQ(platform::ChooseTextEditor("myedit", search), mine);
  EXPECT_EQ(platform::ChooseTextEditor(mine, ""), mine);
}

}  // namespace
