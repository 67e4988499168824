#include "korvane/core/project/job_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "korvane/core/common/text.h"
#include "korvane/core/common/text_file.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/form/main_form.h"
#include "support/golden.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

namespace n = names;
using Lines = std::vector<std::string>;

// The main window with the versions on show and decoys that must never reach the file:
// the console memo on show, an invisible check list and tool frame, and the hidden edit.
struct JobWindow : FormModel {
  explicit JobWindow(bool filled = false) {
    BuildMainForm(*this, actions);
    auto& versions = Get<RadioGroup>(n::kRadioGroupVersions);
    versions.SetItems({"xml", "cics"});
    versions.SetVisible(true);
    Get<ToolPathFrame>(n::kFrameEditor).SetText("/usr/bin/vi");
    Get<ToolPathFrame>(n::kFrameArdent).SetVisible(false);
    Get<CheckList>(n::kListObjects).SetVisible(false);
    Get<Memo>(n::kMemoCaptureConsole).SetVisible(true);
    if (filled) Fill();
  }
  void Fill() {
    Get<RadioGroup>(n::kRadioGroupVersions).SetItemIndex(0);
    Get<EditBox>(n::kEditProductName).SetText("ab");
    Get<EditBox>(n::kEditSystemName).SetText("sys");
    Get<DirectoryFrame>(n::kFrameOutputDir).SetText("/work/out/AbSysXml");
    Get<CheckList>(n::kListSources)
        .SetItems({{"a.cbl=/src/a.cbl", true, true}, {"b.cbl=/src/b.cbl", false, true}});
    Get<Memo>(n::kMemoIniFile).UserEdit({"[COB.Extras]", "DirDepth=3"});
    Get<ToolPathFrame>(n::kFrameArdent).SetText("/opt/Ardent");
    Get<Memo>(n::kMemoNewFileNames).SetLines({"SRC0001=a.cbl", "", "SRC0002=b.cbl"});
    Get<Memo>(n::kMemoLongExtension).SetLines({".cobol=.COB"});  // not edited
    Get<EditBox>(n::kEditObjects).SetText("hidden");
    Get<CheckList>(n::kListControlTags).SetItems({{"CTRL WORD", true, false}});
    Get<CheckList>(n::kListObjects).SetItems({{"OBJ", true, true}});
    auto& marks = Get<StringListHolder>(n::kMarksHolder);
    marks.SetStringList({"a.cbl.WrpT=Onl", "b.cbl.WrpT=File"});
    marks.SetMaxLen(11);
    Get<Memo>(n::kMemoCaptureConsole).UserEdit({"tool output"});
  }
  ActionList actions;
};

JobProjectFields SampleFields() {
  JobProjectFields f;
  f.activeRadioButton = "RadioButtonCobol";
  f.projectName = "AbSysXml";
  f.productName = "ab";
  f.systemName = "sys";
  f.projectDirectory = "/jobs/";
  f.langCode = "COB";
  f.subVersion = "xml";
  f.toolRoot = "/opt/tools";
  f.interfaceType = "XML";
  f.maxDirDepth = 2;
  f.selectedFilesScreenWidth = 120;
  f.usedCopiesScreenWidth = 80;
  f.sourceLinesInJob = 345;
  f.caption = "Korvane [AbSysXml] - Cobol";
  return f;
}

// A list's items as they would stand in the file: the two flags, then the text.
Lines Flagged(const CheckList& list) {
  Lines out;
  for (const auto& i : list.Items()) {
    out.push_back(std::string(i.checked ? "Y" : "N") + (i.enabled ? "Y" : "N") + i.text);
  }
  return out;
}

TEST(JobFileWriter, WritesTheWholeLayoutToTheByte) {
  JobWindow form(true);
  testing::TempDir dir;
  const std::string path = dir / "AbSysXml.jwrap";
  ASSERT_TRUE(SaveJobFile(path, SampleFields(), form));
  testing::ExpectGolden("project/whole_layout.jwrap", dir.Read("AbSysXml.jwrap"));
  EXPECT_NE(SaveJobFile(dir / "missing/x.jwrap", SampleFields(), form).Why(), "");  // the reason
  // The save itself marks the name map edited and the configuration memo unedited.
  EXPECT_TRUE(form.Get<Memo>(n::kMemoNewFileNames).Modified());
  EXPECT_FALSE(form.Get<Memo>(n::kMemoIniFile).Modified());

  // An edited memo is written whatever its name, apart from the console and the
  // configuration memo, and right after the one before it.
  form.Get<Memo>(n::kMemoLongExtension).SetModified(true);
  form.Get<Memo>(n::kMemoIniFile).SetModified(true);
  testing::ExpectGolden("project/edited_memos.jwrap",
                        JoinLinesCrLf(BuildJobFileLines(SampleFields(), form)));
}

TEST(JobFileWriter, OmitsEmptyValuesAndWritesCountersOnlyForARunningBatch) {
  JobWindow form;  // nothing filled in: empty edits, no selection, empty holder
  JobProjectFields f = SampleFields();
  f.activeRadioButton.clear();
  f.systemName.clear();
  f.caption.clear();
  f.langCode.clear();
  f.batchRunning = true;
  f.numberOfRenamedModules = 0;
  f.numberOfModules = 12;
  f.numberOfRenamedSourceFiles = 3;
  f.numberOfSourceFiles = 4;
  testing::ExpectGolden("project/batch_counters.jwrap", JoinLinesCrLf(BuildJobFileLines(f, form)));

  // Keyed rows are set by key: a component sharing a property's name replaces that line
  // in place instead of adding a second one that reading would never see.
  FormModel clash;
  clash.Create<EditBox>("ProjectSubVersion", "").SetText("from the edit");
  const Lines clashed = BuildJobFileLines(SampleFields(), clash);
  EXPECT_EQ(clashed[9], "ProjectSubVersion=from the edit");
  EXPECT_EQ(
      std::count_if(clashed.begin(), clashed.end(),
                    [](const std::string& l) { return l.rfind("ProjectSubVersion=", 0) == 0; }),
      1);
}

TEST(JobFileContent, LooksUpKeysAnywhereAndCutsBlocks) {
  const JobFileContent content(Lines{"[Properties]", "projectname=first", "ProjectName=second",
                                     "[TMemo]", "M1=M1", "one", "", "two", "[TMemo]", "M2=M2",
                                     "[starts a block]", "lost", "[TCheckListBox]", "L=L"});
  EXPECT_EQ(content.Value("PROJECTNAME"), "first");
  EXPECT_EQ(content.Value("Missing"), "");
  EXPECT_EQ(content.BlockAfter("m1"), (Lines{"one", "", "two"}));
  EXPECT_EQ(content.BlockAfter("M2"), Lines{});  // a line beginning with "[" ends it
  EXPECT_EQ(content.BlockAfter("L"), Lines{});   // at the end of the file
  EXPECT_EQ(content.BlockAfter("Missing"), Lines{});
}

TEST(JobFileReader, RoundTripRestoresTheWindowAndWritesTheSameFile) {
  testing::TempDir dir;
  JobWindow saved(true);
  // Items that need quoting in the holder and a memo line beginning with "[".
  saved.Get<StringListHolder>(n::kMarksHolder)
      .SetStringList({"x y.WrpT=Onl", "q\"uote,comma", "", "plain"});
  const std::string path = dir / "job.jwrap";
  ASSERT_TRUE(SaveJobFile(path, SampleFields(), saved));

  JobWindow loaded;
  loaded.Get<CheckList>(n::kListObjects).SetItems({{"keep", false, false}});
  loaded.Get<EditBox>(n::kEditCWrd).SetText("kept when the file has no value");
  const JobFileContent content = JobFileContent::FromFile(path);
  ApplyMemos(content, loaded);
  ApplyVisibleEdits(content, loaded, false);
  ApplyRadioGroups(content, loaded);
  ApplyHolders(content, loaded);
  ApplyCheckLists(content, loaded);
  JobProjectFields f = ReadJobProjectFields(content);

  // Writing the loaded window again gives the same file, so what follows checks only
  // what the file cannot show.
  EXPECT_EQ(f.langCode, "");  // information for people only
  EXPECT_EQ(loaded.Get<EditBox>(n::kEditCWrd).Text(), "kept when the file has no value");
  EXPECT_EQ(loaded.Get<StringListHolder>(n::kMarksHolder).StringList(),
            (Lines{"x y.WrpT=Onl", "q\"uote,comma", "", "plain"}));
  EXPECT_TRUE(loaded.Get<Memo>(n::kMemoIniFile).Lines().empty());
  // An invisible list is neither written nor read.
  EXPECT_EQ(loaded.Get<CheckList>(n::kListObjects).Items()[0].text, "keep");

  loaded.Get<EditBox>(n::kEditCWrd).SetText("");
  // The two comment values come from the active product, not from the file.
  f.langCode = "COB";
  f.toolRoot = "/opt/tools";
  ASSERT_TRUE(SaveJobFile(dir / "again.jwrap", f, loaded));
  EXPECT_EQ(dir.Read("again.jwrap"), dir.Read("job.jwrap"));
}

TEST(JobFileReader, RestoresCheckFlagsPerItemWhateverTheSortOrder) {
  const JobFileContent content(Lines{
      "[TCheckListBox]", "CheckListBoxSelectedFiles=CheckListBoxSelectedFiles", "YNc.cbl=/c",
      "YYa.cbl=/a", "NYb.cbl=/b", "[TCheckListBox]",
      "CheckListBoxControlTags=CheckListBoxControlTags", "YNc", "YYa", "NY", "[Konyec szkazki]"});
  JobWindow form;
  form.Get<CheckList>(n::kListSources).SetItems({{"old", true, true}});
  ApplyCheckLists(content, form);

  // The sorted list re-sorts; the other keeps the file order. Two flags alone are an item.
  EXPECT_EQ(Flagged(form.Get<CheckList>(n::kListSources)),
            (Lines{"YYa.cbl=/a", "NYb.cbl=/b", "YNc.cbl=/c"}));
  EXPECT_EQ(Flagged(form.Get<CheckList>(n::kListControlTags)), (Lines{"YNc", "YYa", "NY"}));
  // The copies list has no block and keeps what it had.
  EXPECT_TRUE(form.Get<CheckList>(n::kListCopies).Items().empty());

  // An item line without both flags is a broken file, not an item.
  for (const char* broken : {"Y", ""}) {
    JobWindow other;
    const JobFileContent bad(
        Lines{"CheckListBoxUsedCopies=CheckListBoxUsedCopies", "YYok", broken, "YYafter"});
    EXPECT_THROW(ApplyCheckLists(bad, other), JobFileError) << "line: " << broken;
  }
}

TEST(JobFileReader, RestoresToolPathsOnlyWhenRememberedAndUncommented) {
  const JobFileContent content(
      Lines{";FrameFindexecArdent=/commented/Ardent", "FrameFindexecEditorGeneral=/by/hand/vi",
            ";FrameFindexecEditorGeneral=/commented/vi", "EditObjects=not shown", "EditCWrd=WORD"});
  JobWindow form;
  form.Get<ToolPathFrame>(n::kFrameArdent).SetVisible(true);
  form.Get<ToolPathFrame>(n::kFrameArdent).SetText("/default/Ardent");
  ApplyVisibleEdits(content, form, false);
  EXPECT_EQ(form.Get<ToolPathFrame>(n::kFrameEditor).Text(), "/usr/bin/vi");
  EXPECT_EQ(form.Get<EditBox>(n::kEditCWrd).Text(), "WORD");
  EXPECT_EQ(form.Get<EditBox>(n::kEditObjects).Text(), "");  // hidden: untouched

  ApplyVisibleEdits(content, form, true);
  EXPECT_EQ(form.Get<ToolPathFrame>(n::kFrameEditor).Text(), "/by/hand/vi");
  EXPECT_EQ(form.Get<ToolPathFrame>(n::kFrameArdent).Text(), "/default/Ardent");
}

TEST(JobFileReader, HoldersAndRadioGroups) {
  JobWindow form;
  auto& marks = form.Get<StringListHolder>(n::kMarksHolder);
  auto& versions = form.Get<RadioGroup>(n::kRadioGroupVersions);
  int clicks = 0;
  const Connection clickedWatch = versions.clicked.Connect([&clicks] { ++clicks; });

  marks.SetStringList({"stale"});
  marks.SetMaxLen(9);
  ApplyHolders(JobFileContent(Lines{"StLHWrapperMarks=()"}), form);
  EXPECT_TRUE(marks.StringList().empty());
  EXPECT_EQ(marks.MaxLen(), 0);
  ApplyHolders(JobFileContent(Lines{"StLHWrapperMarks=(a b,\"c d\")"}), form);
  EXPECT_EQ(marks.StringList(), (Lines{"a", "b", "c d"}));  // an unquoted blank separates
  EXPECT_THROW(ApplyHolders(JobFileContent(Lines{"StLHWrapperMarks.MaxLen=x"}), form),
               ConversionError);

  // A missing value selects the first item, and selecting runs the click handling.
  ApplyRadioGroups(JobFileContent(Lines{}), form);
  EXPECT_EQ(versions.ItemIndex(), 0);
  EXPECT_EQ(clicks, 1);
  ApplyRadioGroups(JobFileContent(Lines{"RadioGroupLangver_Korvane=1"}), form);
  EXPECT_THROW(ApplyRadioGroups(JobFileContent(Lines{"RadioGroupLangver_Korvane=-1"}), form),
               ConversionError);
  versions.SetVisible(false);
  ApplyRadioGroups(JobFileContent(Lines{"RadioGroupLangver_Korvane=0"}), form);
  EXPECT_EQ(versions.ItemIndex(), 1);
}

// A file without a job's sections is said to be no job file, whatever else it lacks; one
// with them that was cut short is said to be cut short.
TEST(JobFileReader, TellsAFileThatIsNoJobFileFromOneCutShort) {
  const JobWindow form;
  const std::string notJob =
      "The file is not a job file: it has neither a [RadioButtons] nor a [Properties] section";
  const std::string cutShort = "The file ends before its closing [Konyec szkazki] line";
  const std::pair<Lines, std::string> cases[] = {
      {{}, notJob},
      {{"hello", "ProjectSystemName=hr", "[Konyec szkazki]"}, notJob},
      {{"[Captions]", "[TMemo]", "MemoNewFileNames=MemoNewFileNames"}, notJob},
      {{" [properties] ", "ProjectSystemName=hr"}, cutShort},
      {{"[RadioButtons]", "ActiveRadioButton=RadioButtonCobol"}, cutShort},
  };
  for (const auto& [lines, message] : cases) {
    try {
      CheckJobFileComplete(JobFileContent(lines), form);
      ADD_FAILURE() << "accepted: " << message;
    } catch (const JobFileError& e) {
      EXPECT_EQ(e.what(), message);
    }
  }
  EXPECT_NO_THROW(
      CheckJobFileComplete(JobFileContent(Lines{"[Properties]", "[Konyec szkazki]"}), form));
}

TEST(JobFileReader, ReadsAFileFromAnotherVersion) {
  testing::TempDir dir;
  // Lower-case keys, unknown keys and sections, LF line ends, no system name, no
  // counters, an empty number.
  const std::string path =
      dir.Write("old.jwrap",
                "[RadioButtons]\nactiverADIObutton=RadioButtonPli\n[Properties]\nprojectname=Old\n"
                "ProjectProductName=prod\nBatchRunning=y\nSomethingNew=1\nMaxDirDepth=\n"
                "[Future]\nProjectDirectory=/old/\nSourceLinesInJob=0042\n[TMemo]\n"
                "MemoLongextension=MemoLongextension\n.pli1=.PLI\n[Konyec szkazki]\n");
  const JobFileContent content = JobFileContent::FromFile(path);
  const JobProjectFields f = ReadJobProjectFields(content);
  EXPECT_EQ(f.activeRadioButton, "RadioButtonPli");
  EXPECT_FALSE(f.batchRunning);  // only an exact "Y" is true
  EXPECT_EQ(f.maxDirDepth, 0);
  EXPECT_EQ(f.sourceLinesInJob, 42);
  EXPECT_EQ(f.projectDirectory, "/old/");
  JobWindow form;
  ApplyMemos(content, form);
  EXPECT_EQ(form.Get<Memo>(n::kMemoLongExtension).Lines(), Lines{".pli1=.PLI"});
  EXPECT_TRUE(form.Get<Memo>(n::kMemoLongExtension).Modified());

  // A bad number anywhere in the properties fails the read.
  for (const char* bad : {"NumberOfModules=-3", "MaxDirDepth= 2", "SourceLinesInJob=99999999999"}) {
    EXPECT_THROW(ReadJobProjectFields(JobFileContent(Lines{bad})), ConversionError) << bad;
  }
}

}  // namespace
}  // namespace korvane
