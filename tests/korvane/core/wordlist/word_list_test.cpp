#include <gtest/gtest.h>

#include "korvane/core/common/text_file.h"
#include "korvane/core/sources/source_lists_fixture.h"
#include "korvane/core/wordlist/word_editors.h"
#include "korvane/core/wordlist/word_lists.h"
#include "korvane/core/wordlist/wrl_file.h"
#include "support/golden.h"

namespace korvane::testing {
namespace {

namespace n = names;
using Texts = std::vector<std::string>;

// The main window with the word lists beside the source lists.
struct WordFixture : SourcesFixture, WordListJob {
  WordFixture() {
    words.Connect(actions);
    auto& types = form.Get<ComboBox>(n::kComboCreateWrdList).Combo();
    for (const char* t : {"INPT", "FUNC"}) types.AddItem(t);
    types.SetItemIndex(0);
  }
  void SetModified() override { ++modified; }

  WordLists words{context, *this};
  int shownOrHidden = 0;
  Connection counting = words.WordEditor().changed.Connect([this] { ++shownOrHidden; });

  // The commands of the word list scenarios under tests/data/wordlist.
  void Commands(Scenario& s) override {
    SourcesFixture::Commands(s);
    Observations& o = s.out;
    using Command = ScenarioCommand;
    ControlWordEditor& word = words.WordEditor();
    ObjectEditor& object = words.ObjectTextEditor();
    s.On("save-as", [this](const Command& c) { person.saveAnswers.push_back(c[0]); });
    s.On("import", [this](const Command&) { words.Import(); });
    s.On("export", [this](const Command&) { words.Export(); });
    s.On("load-functab", [this](const Command&) { words.LoadFunctionTable(); });
    s.On("functab", [this](const Command& c) { job.model.functionTable.SetText(c[0]); });
    s.On("functab-hidden", [this](const Command&) { job.model.functionTable.SetVisible(false); });
    s.On("word-text", [this](const Command& c) { job.window.wordEdit.SetText(c.rest); });
    s.On("add-word", [this](const Command&) { job.window.addWord.clicked.Emit(); });
    s.On("index", [this](const Command& c) {
      (c[0] == "words" ? words.Words() : job.model.sources).SetItemIndex(c.Int(1));
    });
    s.On("tab", [this](const Command& c) { job.window.mainPages.SetActivePage(c[0]); });
    s.On("run", [this](const Command& c) { actions.Get(c[0]).Invoke(); });
    s.On("pickup", [this](const Command& c) { words.SetPickupSelection(c.rest); });
    s.On("drop-text", [this](const Command& c) { words.DropText(c.rest); });
    s.On("drop-word", [this](const Command&) { words.DropHighlightedWord(); });
    s.On("edit-word", [&](const Command& c) { o("opened", word.Open(c.Int(0))); });
    s.On("type", [&](const Command& c) { word.SetType(c.rest); });
    s.On("word", [&](const Command& c) { word.SetWord(c.rest); });
    s.On("store-word", [&](const Command&) { word.Store(); });
    s.On("cancel-word", [&](const Command&) { word.Cancel(); });
    s.On("edit-object", [&](const Command& c) { o("opened", object.Open(c.Int(0))); });
    s.On("object-text", [&](const Command& c) { object.Edit(c.rest); });
    s.On("store-object", [&](const Command&) { object.Store(); });
    s.On("cancel-object", [&](const Command&) { object.Cancel(); });
    s.On("clear-objects", [this](const Command&) { words.Objects().Clear(); });
    s.On("look", [&](const Command&) {
      o("words", words.Words())("objects", words.Objects())("changes", modified);
      o("word edit", job.window.wordEdit.Text())("word type",
                                                 job.window.wordType.Combo().EditText());
      o("view", job.window.wordsView.Lines())("page", job.window.mainPages.ActivePage());
      o("word editor", word.IsOpen() ? word.Type() + " " + word.Word() : "closed");
      o("object editor", object.IsOpen())("word editor shown or hidden", shownOrHidden);
      o("last list", settings.ReadSetting("LastUsedWordTable"));
      o.Take("person", person.transcript);
    });
  }
};

TEST(WrlFile, WritesCheckedEntriesToTheByteAndReadsThemBack) {
  WordFixture f;
  f.words.Words().SetItems({{"INPT CUSTOMER", true, true},
                            {"SKIP UNCHECKED", false, true},
                            {"    ABC  ", true, true},  // a blank type: trimmed, length -2
                            {"FUNC CALC-TOTAL", true, true}});
  f.words.Objects().SetItems({{" A B ", true, true}, {"", true, true}, {"gone", false, true}});
  const std::string path = f.dir / "out.wrl";
  WriteWordList(path, f.words.Words(), f.words.Objects());
  ExpectGolden("wordlist/functab.wrl", f.dir.Read("out.wrl"));

  WordFixture g;
  ReadWordList(path, g.words.Words(), g.words.Objects());
  Observations o;
  o("words", g.words.Words())("objects", g.words.Objects())("changes", g.modified);
  o.Compare("wordlist/read_back.txt");
  EXPECT_THROW(ReadWordList(f.dir / "absent.wrl", g.words.Words(), g.words.Objects()), FileError);
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

// The scenarios of tests/data/wordlist, each file saying first what it shows.
TEST(WordLists, Scenarios) {
  for (const char* name : {"function_table", "function_table_hidden", "picking", "editors"}) {
    SCOPED_TRACE(name);
    WordFixture().RunScenario("wordlist/" + std::string(name) + ".txt");
  }
}

// Apart from the others, since the Windows run leaves it out.
TEST(WordLists, ImportAsksBeforeAppendingAndExportStaysSilentWhenEmpty) {
  WordFixture().RunScenario("wordlist/import_export.txt");
}

// The shared list actions reach the word lists through the focused list and mark the job
// modified each time.
TEST(WordLists, SharedListActionsActOnTheFocusedWordListAndMarkTheJob) {
  SourcesFixture().RunScenario("wordlist/shared_actions.txt");
}

}  // namespace
}  // namespace korvane::testing
