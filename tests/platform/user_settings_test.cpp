#include <gtest/gtest.h>

#include <filesystem>

#include "platform/memory_settings.h"
#include "platform/settings_backend.h"
#include "platform/test_env.h"
#include "platform/user_dirs.h"

namespace {

namespace fs = std::filesystem;
using korvane::testing::TempDir;
using platform_test::ScopedEnv;

const std::string kKey = "Software\\Brevik\\Korvane Shell\\Parameters\\";

TEST(UserSettings, ConfigurationFolderFollowsTheEnvironment) {
  TempDir tmp;
  {
    ScopedEnv home("HOME", tmp / "home");
    ScopedEnv xdg("XDG_CONFIG_HOME", tmp / "xdg");
    EXPECT_EQ(platform::ConfigHome(), tmp / "xdg");
    ASSERT_TRUE(platform::CreateUserSettingsBackend()->Write(kKey, "A", "1"));
    EXPECT_EQ(tmp.Read("xdg/Brevik/Korvane Shell.ini"), "[Parameters]\nA=1\n");
  }
  {
    // A relative XDG value is not a location: the home folder's default is.
    ScopedEnv home("HOME", tmp / "home");
    ScopedEnv xdg("XDG_CONFIG_HOME", "relative/cfg");
    EXPECT_EQ(platform::ConfigHome(), (tmp / "home") + "/.config");
    ASSERT_TRUE(platform::CreateUserSettingsBackend()->Write(kKey, "B", "2"));
    EXPECT_TRUE(fs::exists(tmp.Path() / "home/.config/Brevik/Korvane Shell.ini"));
    EXPECT_FALSE(fs::exists("relative"));
  }
  {
    ScopedEnv home("HOME", std::nullopt);
    ScopedEnv xdg("XDG_CONFIG_HOME", "");
    EXPECT_EQ(platform::ConfigHome() + platform::DataHome(), "");
    // Nowhere to keep settings: reads find nothing, writes fail quietly.
    auto backend = platform::CreateUserSettingsBackend();
    EXPECT_FALSE(backend->Write(kKey, "C", "3"));
    EXPECT_FALSE(backend->Read(kKey, "C").has_value());
  }
  {
    ScopedEnv home("HOME", tmp / "home");
    ScopedEnv xdg("XDG_DATA_HOME", std::nullopt);
    EXPECT_EQ(platform::DataHome(), (tmp / "home") + "/.local/share");
    ScopedEnv data("XDG_DATA_HOME", tmp / "data");
    EXPECT_EQ(platform::DataHome(), tmp / "data");
  }
}

TEST(MemorySettings, BehavesLikeTheRegistry) {
  platform::MemorySettings mem;
  ASSERT_TRUE(mem.Write(kKey, "FormWidth", "800"));
  ASSERT_TRUE(mem.Write("Software\\Brevik\\Other\\Parameters\\", "FormWidth", "1"));
  // Keys and names compare without case.
  ASSERT_TRUE(mem.Write("SOFTWARE\\brevik\\korvane shell\\parameters\\", "FORMWIDTH", "640"));
  EXPECT_EQ(mem.Read(kKey, "formwidth"), "640");
  EXPECT_EQ(mem.Count(), 2u);

  mem.failing = true;
  EXPECT_FALSE(mem.Read(kKey, "FormWidth").has_value());
  EXPECT_FALSE(mem.Write(kKey, "FormWidth", "1"));
  EXPECT_FALSE(mem.Remove(kKey, "FormWidth"));
  mem.failing = false;
  EXPECT_TRUE(mem.Remove(kKey, "formWidth"));
  EXPECT_FALSE(mem.Read(kKey, "FormWidth").has_value());
  EXPECT_EQ(mem.Count(), 1u);
}

}  // namespace
