// The Windows half of the platform layer beside processes: the registry
// settings and file types, system messages, atomic files and the folder lock
// with names outside the ANSI code page, the system's folders, detached starts.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "platform/atomic_file.h"
#include "platform/env_expand.h"
#include "platform/file_type_registry.h"
#include "platform/folder_lock.h"
#include "platform/ini_file_settings.h"
#include "platform/local_time.h"
#include "platform/os_error.h"
#include "platform/registry_settings.h"
#include "platform/run_tool.h"
#include "platform/settings_backend.h"
#include "platform/spawn_detached.h"
#include "platform/system_paths.h"
#include "platform/text_editor.h"
#include "platform/user_dirs.h"
#include "support/temp_dir.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using korvane::testing::TempDir;

std::string UniqueName(const char* stem) {
  std::random_device rd;
  return std::string(stem) + std::to_string(rd());
}

// A value read straight from the registry, not through the code under test.
std::string RawValue(const std::string& subKey, const char* name) {
  char buffer[1024] = {};
  DWORD size = sizeof buffer;
  if (::RegGetValueA(HKEY_CURRENT_USER, subKey.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer,
                     &size) != ERROR_SUCCESS) {
    return "<none>";
  }
  return buffer;
}

void DeleteTree(const std::string& subKey) {
  ::RegDeleteTreeA(HKEY_CURRENT_USER, subKey.c_str());
}

TEST(WindowsRegistry, SettingsAreWrittenReadBackAndRemovedUnderTheCurrentUser) {
  const std::string product = UniqueName("KorvaneTest");
  const std::string key = "Software\\Brevik\\" + product + "\\Parameters\\";
  auto backend = CreateUserSettingsBackend();
  ASSERT_NE(dynamic_cast<RegistrySettings*>(backend.get()), nullptr);

  EXPECT_FALSE(backend->Read(key, "ToolRoot").has_value());
  EXPECT_TRUE(backend->Remove(key, "ToolRoot"));  // nothing there is no failure
  ASSERT_TRUE(backend->Write(key, "ToolRoot", "C:\\Tools\\Korvane"));
  ASSERT_TRUE(backend->Write(key, "Empty", ""));
  EXPECT_EQ(RawValue("Software\\Brevik\\" + product + "\\Parameters", "ToolRoot"),
            "C:\\Tools\\Korvane");
  EXPECT_EQ(backend->Read(key, "ToolRoot"), "C:\\Tools\\Korvane");
  EXPECT_EQ(backend->Read(key, "Empty"), "");
  ASSERT_TRUE(backend->Write(key, "ToolRoot", "D:\\Other"));
  EXPECT_EQ(backend->Read(key, "ToolRoot"), "D:\\Other");
  EXPECT_TRUE(backend->Remove(key, "ToolRoot"));
  EXPECT_FALSE(backend->Read(key, "ToolRoot").has_value());
  DeleteTree("Software\\Brevik\\" + product);
}

// The settings file backend (Linux's store) works on Windows too, under its lock file.
TEST(WindowsFiles, TheSettingsFileBackendWritesUnderItsLock) {
  TempDir dir;
  IniFileSettings ini(dir.Path());
  const std::string key = "Software\\Brevik\\Korvane Shell\\Parameters\\";
  ASSERT_TRUE(ini.Write(key, "ToolRoot", "C:\\Tools"));
  ASSERT_TRUE(ini.Write(key, "Other", "x"));
  EXPECT_EQ(ini.Read(key, "ToolRoot"), "C:\\Tools");
  EXPECT_TRUE(ini.Remove(key, "Other"));
  EXPECT_FALSE(ini.Read(key, "Other").has_value());
}

TEST(WindowsRegistry, TheJobFileTypeAndItsVerbsGoUnderTheUsersClasses) {
  const std::string type = UniqueName("KorvaneTest.Job");
  const std::string extension = "." + UniqueName("kt");
  FileTypeRegistry registry;
  ASSERT_TRUE(registry.SetExtensionType(extension, type));
  ASSERT_TRUE(registry.SetDefaultIcon(type, "C:\\Korvane\\korvane.exe,0"));
  ASSERT_TRUE(registry.SetShellVerb(type, "Open", "&Open", "\"C:\\Korvane\\korvane.exe\" \"%1\""));
  ASSERT_TRUE(registry.SetShellVerb(type, "OpenAdvanced", "Open &advanced",
                                    "\"C:\\Korvane\\korvane.exe\" -Advanced \"%1\""));
  EXPECT_TRUE(registry.RefreshDesktopDatabases());
  const std::string classes = "Software\\Classes\\";
  EXPECT_EQ(RawValue(classes + extension, nullptr), type);
  EXPECT_EQ(RawValue(classes + type + "\\DefaultIcon", nullptr), "C:\\Korvane\\korvane.exe,0");
  EXPECT_EQ(RawValue(classes + type + "\\shell", nullptr), "OpenAdvanced");
  EXPECT_EQ(RawValue(classes + type + "\\shell\\Open", nullptr), "&Open");
  EXPECT_EQ(RawValue(classes + type + "\\shell\\Open\\command", nullptr),
            "\"C:\\Korvane\\korvane.exe\" \"%1\"");
  EXPECT_EQ(RawValue(classes + type + "\\shell\\OpenAdvanced\\command", nullptr),
            "\"C:\\Korvane\\korvane.exe\" -Advanced \"%1\"");
  EXPECT_FALSE(registry.SetExtensionType("", type));
  EXPECT_FALSE(registry.SetShellVerb("", "Open", "", ""));
  DeleteTree(classes + extension);
  DeleteTree(classes + type);
}

TEST(WindowsSystem, MessagesComeFromTheSystemWithoutTheirLineEnd) {
  const std::string text = OsErrorMessage(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(text.empty());
  EXPECT_NE(text.back(), '\n');
  EXPECT_NE(text.back(), '\r');
  EXPECT_NE(text, OsErrorMessage(ERROR_ACCESS_DENIED));
  ::SetLastError(ERROR_SHARING_VIOLATION);
  EXPECT_EQ(LastOsError(), ERROR_SHARING_VIOLATION);
  EXPECT_EQ(SignalName(11), "");
}

TEST(WindowsFiles, AnAtomicSaveReplacesTheFileWholeUnderAnyName) {
  TempDir dir;
  const fs::path target = dir.Path() / fs::path(L"задание ĸøŋ.jwrap");
  EXPECT_EQ(WriteFileAtomic(target, "first\r\n"), "");
  EXPECT_EQ(WriteFileAtomic(target, "second\r\n"), "");
  std::ifstream in(target, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "second\r\n");
  in.close();
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);

  // Into a folder that is not there: the system's message, nothing left behind.
  const std::string message = WriteFileAtomic(dir.Path() / "absent" / "x.jwrap", "x");
  EXPECT_EQ(message, OsErrorMessage(ERROR_PATH_NOT_FOUND));
}

TEST(WindowsFiles, TheFolderLockIsHeldByOneHolderAtATime) {
  TempDir dir;
  const fs::path folder = dir.Path() / fs::path(L"база Ω");
  fs::create_directories(folder);
  auto first = FolderLock::TryTake(folder.string(), "C:\\jobs\\one.jwrap");
  ASSERT_TRUE(first.lock) << first.error;
  auto second = FolderLock::TryTake(folder.string(), "C:\\jobs\\two.jwrap");
  EXPECT_FALSE(second.lock);
  EXPECT_TRUE(second.held);
  EXPECT_EQ(second.holder.pid, static_cast<long>(::GetCurrentProcessId()));
  EXPECT_EQ(second.holder.job, "C:\\jobs\\one.jwrap");
  first.lock.reset();
  auto third = FolderLock::TryTake(folder.string(), "C:\\jobs\\two.jwrap");
  EXPECT_TRUE(third.lock) << third.error;
  auto missing = FolderLock::TryTake((dir.Path() / "absent").string(), "x");
  EXPECT_FALSE(missing.lock);
  EXPECT_FALSE(missing.held);
  EXPECT_NE(missing.error.find(OsErrorMessage(ERROR_PATH_NOT_FOUND)), std::string::npos);
}

TEST(WindowsSystem, TheProgramsFoldersAndPathsAreTheSystems) {
  const std::string program = ProgramPath();
  EXPECT_EQ(fs::path(program).filename(), "test_platform.exe");
  EXPECT_TRUE(fs::is_regular_file(program));
  EXPECT_EQ(ProgramDirectory(), fs::path(program).parent_path().string());
  EXPECT_STREQ(ExecutableSuffix(), ".exe");

  const std::string documents = DocumentsFolder();
  EXPECT_FALSE(documents.empty());
  EXPECT_TRUE(fs::path(documents).is_absolute()) << documents;
  EXPECT_EQ(HomeDirectory(), std::getenv("USERPROFILE"));

  TempDir dir;
  std::string shortPath = dir.Path().string();
  std::string message;
  EXPECT_FALSE(ShortDirectoryPath(shortPath, message)) << message;
  EXPECT_TRUE(fs::is_directory(shortPath)) << shortPath;
  EXPECT_TRUE(fs::equivalent(shortPath, dir.Path()));
  std::string absent = (dir.Path() / "absent").string();
  EXPECT_TRUE(ShortDirectoryPath(absent, message));
  EXPECT_EQ(absent, "");
  EXPECT_EQ(message, "Directory doesn't exist");

  EXPECT_TRUE(EnsureDirectory(dir.Path() / "a" / "b"));
  EXPECT_TRUE(fs::is_directory(dir.Path() / "a" / "b"));
  EXPECT_EQ(DefaultTextEditor(), "NOTEPAD.EXE");
  EXPECT_EQ(ExpandEnvVars("%USERPROFILE%\\x"), std::string(std::getenv("USERPROFILE")) + "\\x");
}

TEST(WindowsSystem, LocalTimeIsTheCalendarOfTheMoment) {
  const std::tm epoch = LocalTime(0);
  EXPECT_TRUE(epoch.tm_year == 70 || epoch.tm_year == 69);
  const std::tm later = LocalTime(86400 * 365);
  EXPECT_EQ(later.tm_year, 71 - (later.tm_mon == 11 && later.tm_mday == 31 ? 1 : 0));
}

TEST(WindowsProcesses, DetachedStartsAndHelpersRunWithoutAShell) {
  TempDir dir;
  std::string error;
  const long pid = StartDetached({KORVANE_TEST_TOOL, "exit:0"}, error, dir.Path().string());
  ASSERT_GT(pid, 0) << error;
  std::vector<long> pids{pid};
  for (int i = 0; i < 500 && !pids.empty(); ++i) {
    ReapEnded(pids);
    ::Sleep(20);
  }
  EXPECT_TRUE(pids.empty());
  EXPECT_EQ(StartDetached({(dir.Path() / "absent.exe").string()}, error), -1);
  EXPECT_EQ(error, OsErrorMessage(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(RunToolAndWait(KORVANE_TEST_TOOL, {"out:chatter", "exit:0"}));
  EXPECT_FALSE(RunToolAndWait(KORVANE_TEST_TOOL, {"exit:3"}));
  EXPECT_FALSE(RunToolAndWait((dir.Path() / "absent.exe").string(), {}));
}

}  // namespace
}  // namespace platform
