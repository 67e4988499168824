#include <gtest/gtest.h>

#include "korvane/core/common/text_file.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/form/job_binding.h"
#include "korvane/core/form/main_form.h"
#include "korvane/core/sources/source_lists_fixture.h"
#include "korvane/core/wordlist/word_editors.h"
#include "korvane/core/wordlist/word_lists.h"
#include "korvane/core/wordlist/wrl_file.h"
#include "platform/memory_settings.h"
#include "support/golden.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane::testing {
namespace {

namespace n = names;
using Texts = std::vector<std::string>;

FormModel& Built(FormModel& form, ActionList& actions) {
  BuildMainForm(form, actions);
  return form;
}

struct WordFixture : WordListJob {
  WordFixture() {
    lists.Connect(actions);
    auto& types = form.Get<ComboBox>(n::kComboCreateWrdList).Combo();
    for (const char* t : {"INPT", "FUNC"}) types.AddItem(t);
    types.SetItemIndex(0);
  }
  void SetModified() override { ++modified; }
  Texts texts(const CheckList& list) const {
    Texts out;
    for (const auto& item : list.Items()) out.push_back(item.text + (item.checked ? "" : " (-)"));
    return out;
  }

  TempDir dir;
  FormModel form;
  ActionList actions;
  ScriptedPerson person;
  platform::MemorySettings backend;
  SettingsStore settings{backend};
  StatusBar status{person};
  WindowState window;
  BoundJob job{Built(form, actions)};
  WindowContext context{job.model, job.window, actions, status, person, settings, window};
  WordLists lists{context, *this};
  int modified = 0;
};

TEST(WrlFile, WritesCheckedEntriesToTheByteAndReadsThemBack) {
  WordFixture f;
  f.lists.Words().SetItems({{"INPT CUSTOMER", true, true},
                            {"SKIP UNCHECKED", false, true},
                            {"    ABC  ", true, true},  // a blank type: trimmed, length -2
                            {"FUNC CALC-TOTAL", true, true}});
  f.lists.Objects().SetItems({{" A B ", true, true}, {"", true, true}, {"gone", false, true}});
  const std::string path = f.dir / "out.wrl";
  WriteWordList(path, f.lists.Words(), f.lists.Objects());
  ExpectGolden("wordlist/functab.wrl", f.dir.Read("out.wrl"));

  WordFixture g;
  ReadWordList(path, g.lists.Words(), g.lists.Objects());
  EXPECT_EQ(g.texts(g.lists.Words()), (Texts{"INPT CUSTOMER", "ABC", "FUNC CALC-TOTAL"}));
  EXPECT_EQ(g.texts(g.lists.Objects()), (Texts{"A B", ""}));
  EXPECT_EQ(g.modified, 0);
  EXPECT_THROW(ReadWordList(f.dir / "absent.wrl", g.lists.Words(), g.lists.Objects()), FileError);
}

TEST(WrlFile, WidenedFieldsAndShortLines) {
  std::vector<CheckListItem> words(10000, {"INPT W", true, true});
  words.push_back({"TYPE " + std::string(120, 'x'), true, true});
  const Texts lines = FormatWordList(words, {{"OBJ", true, true}});
  EXPECT_EQ(lines[9998], "9999 01 INPT W");
  EXPECT_EQ(lines[9999], "10000 01 INPT W");
  EXPECT_EQ(lines[10000], "10001 120 TYPE " + std::string(120, 'x'));
  EXPECT_EQ(lines[10001], "10002 03 OBJT OBJ");

  const ParsedWordList parsed =
      ParseWordList({lines[9999], lines[10000], lines[10001], "12345", "", "0001 02",
                     "abcdefghOBJT  X", "0001 -03 AB", "abcdefghFUNC Q"});
  EXPECT_EQ(parsed.words,
            (Texts{"INPT W", "TYPE " + std::string(120, 'x'), "", "", "", "AB", "FUNC Q"}));
  // Column 9 holds "OBJT" in the fixed layout even without numeric fields in front.
  EXPECT_EQ(parsed.objects, (Texts{"OBJ", " X"}));
  EXPECT_EQ(ControlWordEntry("AB", "CUSTOMER"), "AB   CUSTOMER");
  EXPECT_EQ(ControlWordEntry("TOOLONG", "W"), "TOOL W");
}

TEST(WordLists, ImportAsksBeforeAppendingAndExportStaysSilentWhenEmpty) {
  WordFixture f;
  const std::string file =
      f.dir.Write("in/list.wrl", "0001 08 INPT CUSTOMER\r\n0002 01 OBJT X\r\n");
  f.person.openAnswers = {{file}, {file}, {file}, {}};
  f.person.answers = {Button::No, Button::Cancel};
  f.lists.Import();  // empty lists: no question
  f.lists.Import();  // No: appended
  EXPECT_EQ(f.texts(f.lists.Words()), (Texts{"INPT CUSTOMER", "INPT CUSTOMER"}));
  f.lists.Import();  // Cancel: nothing
  EXPECT_EQ(f.lists.Objects().Items().size(), 2u);
  EXPECT_EQ(f.modified, 2);
  EXPECT_EQ(f.settings.ReadSetting("LastUsedWordTable"), file);
  f.lists.Import();  // the dialog cancelled, opened where the last list was
  EXPECT_EQ(f.form.Get<PageControl>(n::kPageControlMain).ActivePage(), n::kPageWordScan);

  f.person.answers = {Button::Yes};
  f.person.openAnswers = {{file}};
  f.lists.Import();
  EXPECT_EQ(f.texts(f.lists.Words()), (Texts{"INPT CUSTOMER"}));

  f.person.saveAnswers = {f.dir / "out.wrl"};
  f.lists.Export();
  EXPECT_EQ(f.dir.Read("out.wrl"), "0001 08 INPT CUSTOMER\r\n0002 01 OBJT X\r\n");
  EXPECT_EQ(f.settings.ReadSetting("LastUsedWordTable"), f.dir / "out.wrl");
  EXPECT_EQ(f.modified, 3);
  ExpectGolden("wordlist/import_export.txt", f.person.transcript,
               {{"{dir}", f.dir.Path().string()}});

  WordFixture empty;
  empty.lists.Export();
  EXPECT_TRUE(empty.person.saveRequests.empty());
}

TEST(WordLists, FunctionTableLoadsOnlyIntoEmptyListsAndAddToListAppends) {
  WordFixture f;
  const std::string table = f.dir.Write("Functab.wrl", "0001 07 FUNC CALC\r\n");
  auto& frame = f.form.Get<ToolPathFrame>(n::kFrameFunctab);
  frame.SetText(table);
  f.lists.LoadFunctionTable();
  f.lists.LoadFunctionTable();  // no longer empty
  EXPECT_EQ(f.texts(f.lists.Words()), (Texts{"FUNC CALC"}));
  EXPECT_EQ(f.modified, 0);

  f.form.Get<EditBox>(n::kEditCreateWrdList).SetText("  CUSTOMER ");
  f.form.Get<ButtonControl>(n::kButtonCreateWrdList).clicked.Emit();
  EXPECT_EQ(f.texts(f.lists.Words()), (Texts{"FUNC CALC", "INPT CUSTOMER"}));
  EXPECT_EQ(f.modified, 0);

  WordFixture g;
  g.form.Get<ToolPathFrame>(n::kFrameFunctab).SetText(table);
  g.form.Get<ToolPathFrame>(n::kFrameFunctab).SetVisible(false);
  g.lists.LoadFunctionTable();
  EXPECT_TRUE(g.lists.Words().Items().empty());
}

TEST(WordLists, PickingWordsOutOfASource) {
  WordFixture f;
  auto& pages = f.form.Get<PageControl>(n::kPageControlMain);
  auto& sources = f.form.Get<CheckList>(n::kListSources);
  const std::string path = f.dir.Write("src/A.cbl", "       01 CUSTOMER.\r\n       01 NEXT.\r\n");
  sources.SetItems({{"A.cbl=" + path, true, true}});
  pages.SetActivePage(n::kPageLanguages);
  f.actions.Get("ActLoadTextFile").Invoke();  // another page: the source list is shown first
  EXPECT_EQ(pages.ActivePage(), n::kPageNames);
  auto& view = f.form.Get<Memo>(n::kRichEditCTLWords);
  f.actions.Get("ActLoadTextFile").Invoke();  // nothing highlighted: nothing loaded
  EXPECT_TRUE(view.Lines().empty());
  sources.SetItemIndex(0);
  f.actions.Get("ActLoadTextFile").Invoke();
  EXPECT_EQ(view.Lines(), (Texts{"       01 CUSTOMER.", "       01 NEXT."}));
  EXPECT_EQ(pages.ActivePage(), n::kPageWordScan);

  f.lists.SetPickupSelection("CUSTOMER.\r\n       01 NEXT");
  f.actions.Get("ActAddSelectedToList").Invoke();
  EXPECT_EQ(f.form.Get<EditBox>(n::kEditCreateWrdList).Text(), "CUSTOMER.");

  // Dropping text acts the same; dropping the control words list takes its highlighted
  // entry apart into word and type.
  auto& word = f.form.Get<EditBox>(n::kEditCreateWrdList);
  f.lists.DropText("FIRST\r\nSECOND");
  EXPECT_EQ(word.Text(), "FIRST");
  f.lists.Words().SetItems({{"OUTP REPORT-LINE", true, true}, {"AB", true, true}});
  f.lists.DropHighlightedWord();  // nothing highlighted: nothing taken
  EXPECT_EQ(word.Text(), "FIRST");
  f.lists.Words().SetItemIndex(0);
  f.lists.DropHighlightedWord();
  EXPECT_EQ(word.Text(), "REPORT-LINE");
  EXPECT_EQ(f.form.Get<ComboBox>(n::kComboCreateWrdList).Combo().EditText(), "OUTP");
  f.lists.Words().SetItemIndex(1);  // shorter than a type and its blank
  f.lists.DropHighlightedWord();
  EXPECT_EQ(word.Text(), "");
}

TEST(WordEditors, StoreAndCancelRules) {
  WordFixture f;
  CheckList& words = f.lists.Words();
  words.SetItems({{"INPT CUSTOMER", true, true}});
  ControlWordEditor& control = f.lists.WordEditor();
  int shownOrHidden = 0;
  auto count = control.changed.Connect([&] { ++shownOrHidden; });
  EXPECT_FALSE(control.Open(1));
  ASSERT_TRUE(control.Open(0));
  EXPECT_EQ(control.Type(), "INPT");
  EXPECT_EQ(control.Word(), "CUSTOMER");
  control.SetType("FUNC");
  control.Store();
  EXPECT_EQ(words.Items()[0].text, "FUNC CUSTOMER");
  EXPECT_TRUE(words.Items()[0].checked);
  control.Open(0);
  control.Store();  // unchanged, still stored and marked
  EXPECT_EQ(f.modified, 2);
  control.Open(0);
  control.SetType("AB");
  control.Store();
  EXPECT_EQ(words.Items()[0].text, "AB   CUSTOMER");
  control.Open(0);
  control.SetWord("X");
  control.Cancel();
  EXPECT_EQ(words.Items()[0].text, "AB   CUSTOMER");
  EXPECT_FALSE(control.IsOpen());
  EXPECT_EQ(shownOrHidden, 8);  // four openings, four closings, no more

  CheckList& objects = f.lists.Objects();
  ObjectEditor& object = f.lists.ObjectTextEditor();
  EXPECT_FALSE(object.Open(0));  // an empty list opens nothing
  objects.SetItems({{"A B", true, true}});
  object.Open(0);
  object.Store();  // unchanged: not stored, not marked
  EXPECT_EQ(f.modified, 3);
  object.Open(0);
  object.Edit(" typed ");
  object.Cancel();
  EXPECT_EQ(objects.Items()[0].text, "A B");
  object.Open(0);
  object.Edit(" typed ");
  objects.Clear();  // the line went away meanwhile: the editor closes with it
  EXPECT_FALSE(object.IsOpen());
  object.Store();
  EXPECT_EQ(f.modified, 3);
  objects.SetItems({{"A B", true, true}});
  object.Open(0);
  object.Edit(" typed ");
  object.Store();
  EXPECT_EQ(objects.Items()[0].text, " typed ");
  EXPECT_EQ(f.modified, 4);

  // Loading the function table closes the object editor and keeps what was typed.
  object.Open(0);
  object.Edit("kept");
  f.lists.LoadFunctionTable();
  EXPECT_FALSE(object.IsOpen());
  EXPECT_EQ(objects.Items()[0].text, "kept");
}

}  // namespace
}  // namespace korvane::testing

namespace korvane::testing {
namespace {

// The shared list actions reach the word lists through the focused list and mark the job
// modified each time.
TEST(WordLists, SharedListActionsActOnTheFocusedWordListAndMarkTheJob) {
  SourcesFixture f;
  for (const char* name : {n::kListControlTags, n::kListObjects}) {
    auto& list = f.form.Get<CheckList>(name);
    list.SetItems({{"B", true, true}, {"A", false, true}, {"B", true, true}});
    f.Focus(name);
    const int before = f.modified;
    for (const char* action : {"ActToggleSelect", "ActSelectAll", "ActUnselectAll",
                               "ActToggleSelect", "ActRemoveDuplicates", "ActRemoveFiles"}) {
      f.run(action);
    }
    EXPECT_EQ(f.modified - before, 6) << name;
    EXPECT_EQ(f.texts(list), (Texts{"A", "B"})) << name;
  }
  EXPECT_EQ(f.aborts, 0);
}

}  // namespace
}  // namespace korvane::testing
