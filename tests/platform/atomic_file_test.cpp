#include "platform/atomic_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/test_env.h"

namespace {

namespace fs = std::filesystem;
using korvane::testing::TempDir;
using platform::AtomicTempPath;
using platform::WriteFileAtomic;

// Every name in dir, links included; temporary leftovers show up here.
std::set<std::string> Names(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename());
  return names;
}

unsigned Mode(const fs::path& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(AtomicFile, TempNameIsFixedAndShortSoLeftoversOfKilledSavesAreReused) {
  EXPECT_EQ(AtomicTempPath("/jobs/a"), fs::path("/jobs/.af63dc4c8601ec8c.kvtmp"));
  EXPECT_EQ(AtomicTempPath("a"), fs::path(".af63dc4c8601ec8c.kvtmp"));
  EXPECT_NE(AtomicTempPath("/jobs/b"), AtomicTempPath("/jobs/a"));
  TempDir tmp;
  // 250 bytes: the name plus any suffix would pass the file system's limit.
  const std::string name = std::string(244, 'n') + ".jwrap";
  ASSERT_EQ(WriteFileAtomic(tmp.Path() / name, "first"), "");
  EXPECT_EQ(tmp.Read(name), "first");

  // A save killed half-way leaves its temporary file, larger than what comes
  // next; the next save reuses it, so it is gone and nothing of it remains.
  tmp.Write(AtomicTempPath(name).string(), std::string(8 << 20, 'x'));
  ASSERT_EQ(WriteFileAtomic(tmp.Path() / name, "second", 0600), "");
  EXPECT_EQ(tmp.Read(name), "second");
  EXPECT_EQ(Names(tmp.Path()), std::set<std::string>{name});
  EXPECT_EQ(Mode(tmp.Path() / name), 0644u) << "an existing file keeps its bits";

  ASSERT_EQ(WriteFileAtomic(tmp.Path() / "new", "n", 0600), "");
  EXPECT_EQ(Mode(tmp.Path() / "new"), 0600u);
}

TEST(AtomicFile, SavesThroughLinksWriteTheirTarget) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> links;  // link, its target ("@" = absolute)
    std::string save;                                        // the path saved
    std::string target;                                      // the file written
    bool exists;                                             // the target before the save
  };
  const Case cases[] = {
      {"one link", {{"link", "real"}}, "link", "real", true},
      // Relative targets count from each link's own folder.
      {"chain", {{"links/a", "../data/b"}, {"data/b", "real"}}, "links/a", "data/real", true},
      {"absolute", {{"links/a", "@data/real"}}, "links/a", "data/real", true},
      {"dangling", {{"links/a", "../data/made"}}, "links/a", "data/made", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir tmp;
    fs::create_directories(tmp.Path() / "links");
    fs::create_directories(tmp.Path() / "data");
    if (c.exists) {
      tmp.Write(c.target, "old");
      fs::permissions(tmp.Path() / c.target, fs::perms(0640));
    }
    for (const auto& [link, to] : c.links) {
      fs::create_symlink(to[0] == '@' ? (tmp / to.substr(1)) : to, tmp.Path() / link);
    }
    std::map<std::string, std::set<std::string>> expected;
    for (const char* dir : {"", "links", "data"}) expected[dir] = Names(tmp.Path() / dir);
    const fs::path target(c.target);
    expected[target.parent_path()].insert(target.filename());

    ASSERT_EQ(WriteFileAtomic(tmp.Path() / c.save, "new"), "");
    EXPECT_EQ(tmp.Read(c.target), "new");
    EXPECT_EQ(Mode(tmp.Path() / c.target), c.exists ? 0640u : 0644u);
    for (const auto& link : c.links) EXPECT_TRUE(fs::is_symlink(tmp.Path() / link.first));
    for (const auto& [dir, names] : expected) EXPECT_EQ(Names(tmp.Path() / dir), names) << dir;
  }

  TempDir tmp;
  fs::create_symlink("b", tmp.Path() / "a");
  fs::create_symlink("a", tmp.Path() / "b");
  EXPECT_EQ(WriteFileAtomic(tmp.Path() / "a", "x"), "Too many levels of symbolic links");
  EXPECT_EQ(Names(tmp.Path()), (std::set<std::string>{"a", "b"}));
}

TEST(AtomicFile, AnythingButOurOwnFileAtTheTempNameIsLeftAlone) {
  enum Plant { kLinkOut, kHardLinkOut, kDirectory, kFifo, kLocked };
  for (const Plant plant : {kLinkOut, kHardLinkOut, kDirectory, kFifo, kLocked}) {
    SCOPED_TRACE(plant);
    TempDir tmp;
    tmp.Write("outside/secret", "keep");
    tmp.Write("jobs/job", "old");
    const fs::path temp = AtomicTempPath(tmp.Path() / "jobs/job");
    int lockFd = -1;
    switch (plant) {
      case kLinkOut:
        fs::create_symlink(tmp.Path() / "outside/secret", temp);
        break;
      case kHardLinkOut:
        fs::create_hard_link(tmp.Path() / "outside/secret", temp);
        break;
      case kDirectory:
        fs::create_directory(temp);
        break;
      case kFifo:
        ASSERT_EQ(::mkfifo(temp.c_str(), 0600), 0);
        break;
      case kLocked:
        // Another save of the same file is under way.
        tmp.Write(temp.lexically_relative(tmp.Path()), "half");
        lockFd = ::open(temp.c_str(), O_RDWR | O_CLOEXEC);
        ASSERT_EQ(::flock(lockFd, LOCK_EX), 0);
        break;
    }
    const std::set<std::string> before = Names(tmp.Path() / "jobs");

    ASSERT_EQ(WriteFileAtomic(tmp.Path() / "jobs/job", "new"), "");
    EXPECT_EQ(tmp.Read("jobs/job"), "new");
    EXPECT_EQ(tmp.Read("outside/secret"), "keep");
    EXPECT_EQ(Names(tmp.Path() / "jobs"), before);
    if (plant == kLocked) {
      EXPECT_EQ(tmp.Read(temp.lexically_relative(tmp.Path())), "half");
      ::close(lockFd);
    }
  }
}

TEST(AtomicFile, FailedSavesLeaveTheOldFileAndNoTemporaryFile) {
  TempDir tmp;
  tmp.Write("plain", "x");
  EXPECT_EQ(WriteFileAtomic(tmp.Path() / "plain/job", "new"), "Not a directory");
  EXPECT_EQ(WriteFileAtomic(tmp.Path() / "none/job", "new"), "No such file or directory");

  // A write that fails half-way (here: the file size limit), with and without
  // a leftover of an earlier killed save to reuse. Run in a child so the
  // limit does not reach this process.
  for (const bool leftover : {false, true}) {
    SCOPED_TRACE(leftover);
    tmp.Write("job", "old");
    if (leftover) tmp.Write(AtomicTempPath("job").string(), "stale");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{4096, 4096};
      ::setrlimit(RLIMIT_FSIZE, &limit);
      const std::string error = WriteFileAtomic(tmp.Path() / "job", std::string(10000, 'n'));
      ::_exit(error == "File too large" ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(tmp.Read("job"), "old");
    EXPECT_EQ(Names(tmp.Path()), (std::set<std::string>{"job", "plain"}));
  }
}

// Label files of a new job: many written at once, each whole or not there.
TEST(AtomicFile, ABatchWritesEveryFileAndLeavesNoTemporaryFile) {
  TempDir tmp;
  std::ofstream(tmp.Path() / "real") << "old";
  fs::create_symlink("real", tmp.Path() / "link");
  std::vector<platform::AtomicWrite> files;
  for (int i = 0; i < 50; ++i) files.push_back({tmp.Path() / ("L" + std::to_string(i)), "x"});
  files.push_back({tmp.Path() / "link", "new"});
  std::string failed;
  ASSERT_EQ(platform::WriteFilesAtomic(files, failed), "");
  EXPECT_EQ(Names(tmp.Path()).size(), 52u);  // 50 new, the link and its target
  EXPECT_TRUE(fs::is_symlink(tmp.Path() / "link"));
  std::ifstream real(tmp.Path() / "real");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(real), {}), "new");

  // A file that cannot be written: named, and nothing of the batch is left behind.
  TempDir other;
  std::vector<platform::AtomicWrite> broken{{other.Path() / "A", "a"},
                                            {other.Path() / "missing/B", "b"}};
  EXPECT_NE(platform::WriteFilesAtomic(broken, failed), "");
  EXPECT_EQ(failed, (other.Path() / "missing/B").string());
  EXPECT_TRUE(Names(other.Path()).empty());
}

}  // namespace
