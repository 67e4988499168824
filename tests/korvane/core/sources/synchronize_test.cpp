#include "korvane/core/sources/synchronize.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "korvane/core/common/text_file.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using Lines = std::vector<std::string>;

struct Job {
  TempDir tmp;
  CheckList sources{"CheckListBoxSelectedFiles", "PanelSelectedFiles"};
  CheckList copies{"CheckListBoxUsedCopies", "PanelUsedCopies"};
  StringListHolder marks{"StLHWrapperMarks", "TfrmKorvaneMain"};
  int modified = 0;  // the synchronisations that changed the lists or the marks
  Lines refused;
  Lines dropped;
  Lines unholdable;

  void Source(const std::string& name, const std::string& type, bool checked, bool enabled) {
    sources.Add({name + "=/orig/" + name, checked, enabled});
    if (!type.empty()) marks.Keyed().SetValue(name + ".WrpT", type);
  }
  bool Sync(bool copiesTab = true) {
    bool changed = false;
    const bool whole =
        SynchronizeJobDirectories({sources, copies, marks, copiesTab, tmp.Path().string(), &changed,
                                   &refused, &dropped, &unholdable});
    modified += changed ? 1 : 0;
    return whole;
  }
  bool Exists(const std::string& rel) const {
    return fs::symlink_status(tmp.Path() / rel).type() != fs::file_type::not_found;
  }
};

Lines Texts(const CheckList& list) {
  Lines out;
  for (const auto& item : list.Items()) out.push_back(item.text);
  return out;
}

TEST(SynchronizeJobDirectories, StrayCopyFailsAndCopiesFollowTheFolder) {
  Job job;
  job.copies.Add({"GONE.cpy=/o/GONE.cpy", true, true});
  job.copies.Add({"paylib.CPY=/o/PAYLIB.cpy", false, true});
  job.copies.SetItemIndex(1);
  for (const char* rel : {"PAYLIB.cpy", "STRAY.cpy", "sub/ALSO.cpy"}) {
    job.tmp.Write("CopyCollection/" + std::string(rel), "x");
  }

  // Hidden copies tab: the copy folder and list are left alone.
  EXPECT_TRUE(job.Sync(false));
  EXPECT_TRUE(job.Exists("CopyCollection/STRAY.cpy"));
  EXPECT_EQ(job.copies.Items().size(), 2u);
  EXPECT_EQ(job.modified, 0);

  EXPECT_FALSE(job.Sync());
  EXPECT_TRUE(job.Exists("CopyCollection/PAYLIB.cpy"));
  EXPECT_FALSE(job.Exists("CopyCollection/STRAY.cpy"));
  EXPECT_FALSE(job.Exists("CopyCollection/sub/ALSO.cpy"));
  EXPECT_EQ(Texts(job.copies), Lines{"paylib.CPY=/o/PAYLIB.cpy"});
  EXPECT_EQ(job.copies.ItemIndex(), 0);
  EXPECT_EQ(job.modified, 1);
  EXPECT_TRUE(job.Sync());
}

// Nothing leaves the job unnamed: a source whose copy is gone is dropped by name, and one
// whose name holds "=" keeps its copy, entry and label, named as one the job cannot hold.
TEST(SynchronizeJobDirectories, SourcesThatLeaveOrCannotBeHeldAreNamed) {
  Job job;
  job.Source("A.cbl", "Intr", true, true);
  job.Source("GONE.cbl", "Intr", true, true);
  job.Source("a=b.cbl", "Module", true, true);
  job.Source("x=y.cbl", "Intr", false, true);
  job.Source("ZGONE.cbl", "", false, false);
  for (const char* name : {"A.cbl", "a=b.cbl", "x=y.cbl"}) {
    job.tmp.Write("SourceCollection/" + std::string(name), "src");
  }
  job.tmp.Write("LabelCollection/a=b.cbl", "ENTR:a=b.cbl");

  EXPECT_FALSE(job.Sync());
  EXPECT_EQ(job.dropped, (Lines{"GONE.cbl", "ZGONE.cbl"}));
  EXPECT_EQ(job.unholdable, (Lines{"x=y.cbl", "a=b.cbl"}));
  EXPECT_EQ(Texts(job.sources),
            (Lines{"A.cbl=/orig/A.cbl", "a=b.cbl=/orig/a=b.cbl", "x=y.cbl=/orig/x=y.cbl"}));
  for (const char* kept :
       {"SourceCollection/a=b.cbl", "SourceCollection/x=y.cbl", "LabelCollection/a=b.cbl"}) {
    EXPECT_TRUE(job.Exists(kept)) << kept;
  }

  // Once unchecked it no longer holds up a run, but it is still named.
  job.sources.MutableItems()[1].checked = false;
  job.dropped.clear();
  job.unholdable.clear();
  EXPECT_TRUE(job.Sync());
  EXPECT_TRUE(job.dropped.empty());
  EXPECT_EQ(job.unholdable.size(), 2u);
}

TEST(SynchronizeJobDirectories, LabelsFollowTheWrappingTypes) {
  Job job;
  for (const char* name : {"A", "B", "C", "E", "F", "H"})
    job.Source(name + std::string(".cbl"), "", true, true);
  for (const char* name : {"A", "B", "C", "E", "F", "G"}) {
    job.tmp.Write("SourceCollection/" + std::string(name) + ".cbl", "src");
  }
  const std::pair<const char*, const char*> files[] = {
      {"SourceCollection/SelectedEntities/A.cbl", "src"},
      {"SourceCollection/SelectedEntities/Q.cbl", "src"},
      {"LabelCollection/B.cbl", "MASK:B.cbl\r\n"},
      {"LabelCollection/E.cbl", "FI\r\nLE:E.cbl\r\n"},
      {"LabelCollection/F.cbl", "anything"},
      {"LabelCollection/X.cbl", "MASK:X.cbl"},
      {"RTFCollection/A.rtf", "{}"},
      {"RTFCollection/c.RTF", "{}"},
      {"RTFCollection/Z.rtf", "{}"}};
  for (const auto& [rel, bytes] : files) job.tmp.Write(rel, bytes);
  job.marks.SetStringList({"A.cbl.Unr=u", "C.cbl.Lbl=Y", "C.cbl.Unr=u", "C.cbl.WrpT=Proc",
                           "G.cbl.WrpT=Onl", "G.cbl.Lbl=Y", "X.cbl.Lbl=Y", "Z.rtf.Lbl=Y",
                           "A.cbl.WrpT=Onl", "B.cbl.WrpT=Module", "E.cbl.WrpT=File",
                           "F.cbl.WrpT=Intr", "H.cbl.WrpT=Onl", "other=1"});

  // The checked procedure source without a label is withdrawn.
  EXPECT_FALSE(job.Sync());
  EXPECT_EQ(job.tmp.Read("LabelCollection/A.cbl"), "MASK:A.cbl\r\n");
  EXPECT_EQ(job.tmp.Read("LabelCollection/B.cbl"), "ENTR:B.cbl\r\n");
  EXPECT_EQ(job.tmp.Read("LabelCollection/E.cbl"), "FI\r\nLE:E.cbl\r\n");
  EXPECT_EQ(job.tmp.Read("LabelCollection/F.cbl"), "anything");
  for (const char* gone :
       {"LabelCollection/C.cbl", "LabelCollection/X.cbl", "SourceCollection/G.cbl",
        "SourceCollection/SelectedEntities/Q.cbl", "RTFCollection/Z.rtf"}) {
    EXPECT_FALSE(job.Exists(gone)) << gone;
  }
  for (const char* kept :
       {"SourceCollection/SelectedEntities/A.cbl", "RTFCollection/A.rtf", "RTFCollection/c.RTF"}) {
    EXPECT_TRUE(job.Exists(kept)) << kept;
  }

  // H lost its collection file and leaves the list; C stays, unchecked and greyed.
  EXPECT_EQ(Texts(job.sources),
            (Lines{"A.cbl=/orig/A.cbl", "B.cbl=/orig/B.cbl", "C.cbl=/orig/C.cbl",
                   "E.cbl=/orig/E.cbl", "F.cbl=/orig/F.cbl"}));
  const auto& c = job.sources.Items()[2];
  EXPECT_FALSE(c.checked || c.enabled);
  for (size_t i : {0u, 1u, 3u, 4u}) EXPECT_TRUE(job.sources.Items()[i].checked) << i;
  EXPECT_EQ(job.marks.StringList(),
            (Lines{"C.cbl.WrpT=Proc", "A.cbl.WrpT=Onl", "B.cbl.WrpT=Module", "E.cbl.WrpT=File",
                   "F.cbl.WrpT=Intr", "H.cbl.WrpT=Onl", "other=1", "A.cbl.Lbl=Y", "E.cbl.Lbl=Y",
                   "B.cbl.Lbl=Y"}));
  // Stray source G and SelectedEntities/Q, label X, RTF Z.
  EXPECT_EQ(job.modified, 1);

  // An unchecked procedure source without a label is greyed without failing, and a
  // stray source is deleted without failing either.
  job.sources.MutableItems()[2].enabled = true;
  job.tmp.Write("SourceCollection/STRAY.cbl", "src");
  EXPECT_TRUE(job.Sync());
  EXPECT_FALSE(job.sources.Items()[2].enabled);
  EXPECT_FALSE(job.Exists("SourceCollection/STRAY.cbl"));
}

TEST(SynchronizeJobDirectories, AFittingLabelFileKeepsItsMark) {
  Job job;
  // Marked and saved, but the job was saved without the marks: no entry, greyed.
  job.Source("F.cbl", "File", false, false);
  // Marked and saved, then unchecked by the person: the check stays off.
  job.Source("P.cbl", "Proc", false, true);
  // Labels of another type are no labels for this one.
  job.Source("W.cbl", "Proc", false, false);
  for (const char* name : {"F.cbl", "P.cbl", "W.cbl"})
    job.tmp.Write("SourceCollection/" + std::string(name), "src");
  job.tmp.Write("LabelCollection/F.cbl", "FILE:PAYFILE\r\nFILE:RPTFILE\r\n");
  job.tmp.Write("RTFCollection/F.rtf", "{\\rtf1}");
  job.tmp.Write("LabelCollection/P.cbl", "PROC:MAIN\r\n");
  job.tmp.Write("LabelCollection/W.cbl", "FILE:PAYFILE\r\n");
  job.marks.Keyed().SetValue("P.cbl.Lbl", "Y");

  EXPECT_TRUE(job.Sync());
  EXPECT_EQ(job.marks.Keyed().Value("F.cbl.Lbl"), "Y");
  EXPECT_TRUE(job.sources.Items()[0].checked && job.sources.Items()[0].enabled);
  EXPECT_FALSE(job.sources.Items()[1].checked);
  EXPECT_TRUE(job.sources.Items()[1].enabled);
  EXPECT_EQ(job.marks.Keyed().Value("W.cbl.Lbl"), "");
  EXPECT_FALSE(job.sources.Items()[2].enabled);
  EXPECT_FALSE(job.Exists("LabelCollection/W.cbl"));
  EXPECT_TRUE(job.Exists("LabelCollection/F.cbl"));
  EXPECT_TRUE(job.Exists("RTFCollection/F.rtf"));
  EXPECT_EQ(job.modified, 0);
}

TEST(SynchronizeJobDirectories, LinksAreRemovedNeverFollowed) {
  Job job;
  TempDir outside;
  outside.Write("secret.cpy", "keep");
  outside.Write("label", "MASK:A.cbl");
  outside.Write("rtf/junk.rtf", "keep");
  job.Source("A.cbl", "Onl", false, true);
  job.tmp.Write("SourceCollection/A.cbl", "src");
  fs::create_directories(job.tmp.Path() / "CopyCollection");
  fs::create_directories(job.tmp.Path() / "LabelCollection");
  fs::create_symlink(outside / "secret.cpy", job.tmp.Path() / "CopyCollection/link.cpy");
  fs::create_symlink(outside.Path(), job.tmp.Path() / "CopyCollection/dirlink");
  fs::create_symlink(outside / "label", job.tmp.Path() / "LabelCollection/A.cbl");
  fs::create_symlink(outside / "rtf", job.tmp.Path() / "RTFCollection");

  EXPECT_FALSE(job.Sync());
  EXPECT_FALSE(job.Exists("CopyCollection/link.cpy"));
  EXPECT_FALSE(job.Exists("CopyCollection/dirlink"));
  // The linked label is replaced by a file of its own.
  EXPECT_FALSE(fs::is_symlink(job.tmp.Path() / "LabelCollection/A.cbl"));
  EXPECT_EQ(job.tmp.Read("LabelCollection/A.cbl"), "MASK:A.cbl\r\n");
  EXPECT_EQ(outside.Read("secret.cpy"), "keep");
  EXPECT_EQ(outside.Read("label"), "MASK:A.cbl");
  EXPECT_EQ(outside.Read("rtf/junk.rtf"), "keep");
  EXPECT_TRUE(job.Exists("RTFCollection"));

  EXPECT_EQ(job.refused,
            Lines{"The folder " + (job.tmp / "RTFCollection") +
                  " is a symbolic link; the shell does not write or delete through it"});
}

TEST(SynchronizeJobDirectories, LinkedCollectionFoldersAreLeftAloneWithTheirEntries) {
  // Each folder, when it is a link, keeps everything behind it and every entry it serves.
  for (const char* linked : {"SourceCollection", "LabelCollection", "CopyCollection"}) {
    Job job;
    TempDir outside;
    outside.Write("OTHER.cbl", "precious");
    job.Source("A.cbl", "Onl", true, true);
    job.Source("B.cbl", "File", true, true);
    job.copies.Add({"C.cpy=/o/C.cpy", true, true});
    for (const char* folder : {"SourceCollection", "LabelCollection", "CopyCollection"}) {
      if (std::string(folder) != linked) fs::create_directories(job.tmp.Path() / folder);
    }
    fs::create_directory_symlink(outside.Path(), job.tmp.Path() / linked);

    job.Sync();
    EXPECT_EQ(outside.Read("OTHER.cbl"), "precious") << linked;
    EXPECT_EQ(fs::directory_iterator(outside.Path())->path().filename(), "OTHER.cbl") << linked;
    EXPECT_EQ(std::distance(fs::directory_iterator(outside.Path()), fs::directory_iterator()), 1)
        << linked;
    ASSERT_EQ(job.refused.size(), 1u) << linked;
    EXPECT_NE(job.refused[0].find(linked), std::string::npos);
    if (std::string(linked) == "CopyCollection") {
      EXPECT_EQ(job.copies.Items().size(), 1u);
    } else {
      EXPECT_EQ(Texts(job.sources), (Lines{"A.cbl=/orig/A.cbl", "B.cbl=/orig/B.cbl"})) << linked;
      EXPECT_TRUE(job.sources.Items()[1].checked) << linked;
    }
  }
}

}  // namespace
}  // namespace korvane
