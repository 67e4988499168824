#include "korvane/core/common/find_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "support/temp_dir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using List = std::vector<std::string>;

class FindFilesTest : public ::testing::Test {
 protected:
  ~FindFilesTest() override {
    std::error_code ec;  // the folder may be unreadable; it must still go
    fs::permissions(tmp.Path() / "locked", fs::perms::owner_all, ec);
  }
  void Touch(const std::string& relative) { tmp.Write(relative, "x"); }

  // Enumeration order is the file system's; compare as sets.
  List Find(const std::string& subdir, const std::string& pattern, int depth,
            const std::string& extensions) {
    List found;
    FindFiles(tmp.Path().string(), subdir, pattern, depth, found, extensions);
    std::sort(found.begin(), found.end());
    return found;
  }
  std::string P(const std::string& relative) const { return tmp / relative; }

  testing::TempDir tmp;
  const fs::path& root_ = tmp.Path();
};

TEST_F(FindFilesTest, PatternsAndDepth) {
  for (const char* f : {"last.xml", "lastbatch.cmd", "mylast.txt", "other.xml", "sub/last2.xml",
                        "sub/deeper/last3.xml", "SRC0001.cbl", "SRC01.cbl", "SRC00012.cbl"}) {
    Touch(f);
  }
  EXPECT_EQ(Find("", "last*", 1, "*.*"), (List{P("last.xml"), P("lastbatch.cmd")}));
  EXPECT_EQ(Find("", "last*", 2, "*.*"),
            (List{P("last.xml"), P("lastbatch.cmd"), P("sub/last2.xml")}));
  EXPECT_EQ(Find("", "last*", -1, "*.*"), (List{P("last.xml"), P("lastbatch.cmd"),
                                                P("sub/deeper/last3.xml"), P("sub/last2.xml")}));
  EXPECT_EQ(Find("", "last*", 0, "*.*"), List{});
  EXPECT_EQ(Find("", "*last", 1, "*.*"), (List{P("last.xml"), P("mylast.txt")}));
  EXPECT_EQ(Find("", "LAST", 1, "*.*"), List{P("last.xml")});        // base name, any case
  EXPECT_EQ(Find("", "Other.XML", 1, "*.*"), List{P("other.xml")});  // full name
  EXPECT_EQ(Find("", "SRC####", 1, "*.*"), List{P("SRC0001.cbl")});  // mask, whole length
  EXPECT_EQ(Find("", "SRC##*", 1, "*.*"),                            // mask, as a prefix
            (List{P("SRC0001.cbl"), P("SRC00012.cbl"), P("SRC01.cbl")}));
  EXPECT_EQ(Find("", "", 1, "*.*").size(), 7u);
  EXPECT_EQ(Find("", "**", -1, "*.*").size(), 9u);
  EXPECT_EQ(Find("", "xml", 1, "*.*"), List{});  // the extension is not the base name
  EXPECT_EQ(Find("sub", "", 1, "*.*"), List{P("sub/last2.xml")});
}

TEST_F(FindFilesTest, ExtensionList) {
  for (const char* f : {"a.cbl", "b.CPY", "c.txt", "README", "d.", "e.x.cbl", "f.cblx"}) Touch(f);
  EXPECT_EQ(Find("", "", 1, ".CBL;.cpy;"), (List{P("a.cbl"), P("b.CPY"), P("e.x.cbl")}));
  // ".;" admits files without extension, and names ending in a dot.
  EXPECT_EQ(Find("", "", 1, ".txt;."), (List{P("README"), P("c.txt"), P("d.")}));
  EXPECT_EQ(Find("", "", 1, ""), List{});
  // A dialog filter with "|" turned into ";" names its masks; they admit by their ending.
  EXPECT_EQ(Find("", "", 1, "COBOL sources (*.cbl);*.cbl;*.cob"), (List{P("a.cbl"), P("e.x.cbl")}));
  EXPECT_EQ(Find("", "e.x", 1, ".cbl"), List{P("e.x.cbl")});  // base name keeps inner dots
}

TEST_F(FindFilesTest, SkipsHiddenLinksAndSpecialFilesAndBuildsCleanPaths) {
  Touch("keep.cbl");
  Touch(".hidden.cbl");
  Touch(".git/inside.cbl");
  Touch("sub/inner.cbl");
  fs::create_directory_symlink(root_, root_ / "loop");           // would recurse forever
  fs::create_directory_symlink(root_ / "sub", root_ / "alias");  // would list inner twice
  fs::create_symlink(root_ / "keep.cbl", root_ / "linked.cbl");
  fs::create_symlink(root_ / "gone.cbl", root_ / "dangling.cbl");
  ASSERT_EQ(::mkfifo((root_ / "pipe.cbl").c_str(), 0600), 0);

  EXPECT_EQ(Find("", "", -1, ".cbl"), (List{P("keep.cbl"), P("linked.cbl"), P("sub/inner.cbl")}));

  List found;
  FindFiles(root_.string() + "/", "/sub/", "", -1, found, "*.*");
  EXPECT_EQ(found, List{P("sub/inner.cbl")});
  found.clear();
  FindFiles(root_.string() + "//", "sub", "", -1, found, "*.*");
  EXPECT_EQ(found, List{root_.string() + "//sub/inner.cbl"});  // the caller's own text stays
}

TEST_F(FindFilesTest, MissingOrUnreadableFoldersAddNothing) {
  Touch("locked/secret.cbl");
  List found{"kept"};
  FindFiles(P("absent"), "", "", -1, found, "*.*");
  FindFiles(P("keep"), "deeper", "", -1, found, "*.*");
  FindFiles("", "", "", -1, found, "*.*");  // no folder at all, not the current one
  EXPECT_EQ(found, List{"kept"});
  if (::geteuid() != 0) {  // permissions do not bind the super-user
    fs::permissions(root_ / "locked", fs::perms::none);
    FindFiles(root_.string(), "", "", -1, found, "*.*");
    EXPECT_EQ(found, List{"kept"});
  }
}

}  // namespace
}  // namespace korvane
