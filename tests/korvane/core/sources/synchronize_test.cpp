#include "korvane/core/sources/synchronize.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "korvane/core/common/text_file.h"
#include "support/svc_observations.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::Observations;
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
  // Synchronises, then shows whether the job is whole, the lists, the marks, what was
  // named, and the job's folder.
  void SyncAndLook(Observations& o, bool copiesTab = true) {
    o("whole", Sync(copiesTab))("sources", sources)("copies", copies)("highlighted copy",
                                                                      copies.ItemIndex());
    o("marks", marks.StringList())("changes", modified);
    o("refused", refused)("dropped", dropped)("unholdable", unholdable).Tree("folder", tmp.Path());
    refused.clear();
    dropped.clear();
    unholdable.clear();
  }
  void Compare(const Observations& o, const std::string& golden) const {
    o.Compare("sources/" + golden, {{"{dir}", tmp.Path().string()}});
  }
};

TEST(SynchronizeJobDirectories, StrayCopyFailsAndCopiesFollowTheFolder) {
  Job job;
  Observations o;
  job.copies.Add({"GONE.cpy=/o/GONE.cpy", true, true});
  job.copies.Add({"paylib.CPY=/o/PAYLIB.cpy", false, true});
  job.copies.SetItemIndex(1);
  for (const char* rel : {"PAYLIB.cpy", "STRAY.cpy", "sub/ALSO.cpy"}) {
    job.tmp.Write("CopyCollection/" + std::string(rel), "x");
  }
  o.Step("hidden copies tab: the copy folder and list are left alone");
  job.SyncAndLook(o, false);
  o.Step("shown: copies follow the folder, a stray copy fails once");
  job.SyncAndLook(o);
  job.SyncAndLook(o);
  job.Compare(o, "sync_copies.txt");
}

// Nothing leaves the job unnamed: a source whose copy is gone is dropped by name, and one
// whose name holds "=" keeps its copy, entry and label, named as one the job cannot hold.
TEST(SynchronizeJobDirectories, SourcesThatLeaveOrCannotBeHeldAreNamed) {
  Job job;
  Observations o;
  job.Source("A.cbl", "Intr", true, true);
  job.Source("GONE.cbl", "Intr", true, true);
  job.Source("a=b.cbl", "Module", true, true);
  job.Source("x=y.cbl", "Intr", false, true);
  job.Source("ZGONE.cbl", "", false, false);
  for (const char* name : {"A.cbl", "a=b.cbl", "x=y.cbl"}) {
    job.tmp.Write("SourceCollection/" + std::string(name), "src");
  }
  job.tmp.Write("LabelCollection/a=b.cbl", "ENTR:a=b.cbl");
  job.SyncAndLook(o);
  o.Step("once unchecked it no longer holds up a run, but it is still named");
  job.sources.MutableItems()[1].checked = false;
  job.SyncAndLook(o);
  job.Compare(o, "sync_named_sources.txt");
}

// The checked procedure source without a label is withdrawn; labels are written for the
// types that need none and stray sources, labels and rich text are deleted.
TEST(SynchronizeJobDirectories, LabelsFollowTheWrappingTypes) {
  Job job;
  Observations o;
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
  job.SyncAndLook(o);
  o.Step("an unchecked procedure source without a label is greyed, a stray source deleted");
  job.sources.MutableItems()[2].enabled = true;
  job.tmp.Write("SourceCollection/STRAY.cbl", "src");
  job.SyncAndLook(o);
  job.Compare(o, "sync_labels.txt");
}

TEST(SynchronizeJobDirectories, AFittingLabelFileKeepsItsMark) {
  Job job;
  Observations o;
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
  job.SyncAndLook(o);
  job.Compare(o, "sync_fitting_labels.txt");
}

TEST(SynchronizeJobDirectories, LinksAreRemovedNeverFollowed) {
  Job job;
  Observations o;
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
  // The linked label is replaced by a file of its own; the linked folder stays.
  job.SyncAndLook(o);
  o.Tree("outside", outside.Path());
  o.Compare("sources/sync_links.txt",
            {{"{outside}", outside.Path().string()}, {"{dir}", job.tmp.Path().string()}});
}

TEST(SynchronizeJobDirectories, LinkedCollectionFoldersAreLeftAloneWithTheirEntries) {
  // Each folder, when it is a link, keeps everything behind it and every entry it serves.
  Observations o;
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
    o.Step(linked);
    job.Sync();
    o("sources", job.sources)("copies", job.copies)("refused", job.refused);
    o.Tree("outside", outside.Path());
    o.text = testing::WithPlaceholders(
        o.text, {{"{outside}", outside.Path().string()}, {"{dir}", job.tmp.Path().string()}});
  }
  o.Compare("sources/sync_linked_folders.txt");
}

}  // namespace
}  // namespace korvane
