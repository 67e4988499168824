#include "korvane/core/wordlist/word_lists.h"

#include <filesystem>

#include "korvane/core/common/text.h"
#include "korvane/core/common/text_file.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/config/product_catalogue.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/sources/file_list.h"
#include "korvane/core/wordlist/wrl_file.h"

namespace korvane {

namespace n = names;

namespace {

constexpr const char* kLastUsed = "LastUsedWordTable";

}  // namespace

WordLists::WordLists(WindowContext& context, WordListJob& job)
    : context_(context),
      job_(job),
      words_(context.job.controlWords),
      objects_(context.job.objects) {
  // A refilled list (a cleared job, an import) has no line left to edit.
  connections_.Add(words_.reset.Connect([this] { wordEditor_.Cancel(); }));
  connections_.Add(objects_.reset.Connect([this] { objectEditor_.Cancel(); }));
}

void WordLists::Connect(ActionList& actions) {
  actions.Get("ActLoadWordList").SetHandler([this] { Import(); });
  actions.Get("ActSaveWordList").SetHandler([this] { Export(); });
  actions.Get("ActLoadTextFile").SetHandler([this] { LoadTextFile(); });
  actions.Get("ActAddSelectedToList").SetHandler([this] { AddSelectedToList(); });
  auto& add = context_.view.addWord;
  add.SetEnabled(true);
  connections_.Add(add.clicked.Connect([this] { AddToList(); }));
}

void WordLists::Follow(ProductCatalogue& catalogue) {
  connections_.Add(catalogue.functionTableWanted.Connect([this] { LoadFunctionTable(); }));
  auto& pages = context_.view.mainPages;
  connections_.Add(pages.pageChanged.Connect([this, &pages] {
    if (pages.IsActive(context_.view.wordScanPage)) LoadFunctionTable();
  }));
}

void WordLists::ShowWordPage() {
  context_.view.mainPages.SetActivePage(context_.view.wordScanPage);
}

FileDialogRequest WordLists::DialogFromLastUsed() const {
  const std::string last = context_.settings.ReadSetting(kLastUsed);
  const std::filesystem::path path(last);
  FileDialogRequest request;
  request.initialDir = path.parent_path().string();
  request.fileName = path.filename().string();
  return request;
}

void WordLists::Import() {
  FileDialogRequest request = DialogFromLastUsed();
  request.filter = "Word lists (*.wrl)|*.wrl|All files (*.*)|*.*";
  request.title = "Load a word list";
  const std::vector<std::string> chosen = context_.person.OpenFiles(request);
  if (chosen.empty()) return;
  ShowWordPage();
  if (!words_.Items().empty() || !objects_.Items().empty()) {
    const Button answer = context_.person.Ask(
        MessageKind::Warning,
        "You already have some items in the active word list !\r\nShould I clear it before "
        "loading ?",
        {Button::Yes, Button::No, Button::Cancel});
    if (answer == Button::Cancel) return;
    if (answer == Button::Yes) {
      objects_.Clear();
      words_.Clear();
    }
  }
  ReadWordList(chosen.front(), words_, objects_);
  job_.SetModified();
  context_.settings.WriteSetting(kLastUsed, chosen.front());
}

void WordLists::Export() {
  ShowWordPage();
  if (words_.Items().empty() && objects_.Items().empty()) return;
  FileDialogRequest request = DialogFromLastUsed();
  request.defaultExt = "wrl";
  request.filter = "Word lists (*.wrl)|*.wrl";
  request.title = "Export your word list";
  request.overwritePrompt = true;
  const std::optional<std::string> chosen = context_.person.SaveFile(request);
  if (!chosen) return;
  WriteWordList(*chosen, words_, objects_);
  context_.settings.WriteSetting(kLastUsed, *chosen);
}

void WordLists::LoadFunctionTable() {
  const Page& page = context_.view.wordScanPage;
  if (!page.Enabled()) return;
  // Closing keeps what was typed: the table is only read into empty lists.
  objectEditor_.Store();
  const auto& frame = context_.job.functionTable;
  if (!frame.Visible() || !words_.Items().empty() || !objects_.Items().empty()) return;
  // A missing table has already turned its frame red; only an existing one is read.
  std::error_code ec;
  if (frame.Text().empty() || !std::filesystem::exists(frame.Text(), ec)) return;
  ReadWordList(frame.Text(), words_, objects_);
}

void WordLists::AddToList() {
  const std::string type = context_.view.wordType.Combo().EditText();
  const std::string word = Trim(context_.view.wordEdit.Text());
  words_.Add({ControlWordEntry(type, word), true, true});
}

void WordLists::LoadTextFile() {
  auto& pages = context_.view.mainPages;
  const auto& sources = context_.job.sources;
  if (!pages.IsActive(context_.view.namesPage)) {
    // The person picks a source first and calls the command again.
    pages.SetActivePage(context_.view.namesPage);
    context_.view.copySourcePages.SetActivePage(context_.view.sourcesPage);
    context_.job.sources.RequestFocus();
    return;
  }
  const int index = sources.ItemIndex();
  if (index < 0 || index >= static_cast<int>(sources.Items().size())) return;
  const std::string path = FileList::PathOf(sources.Items()[static_cast<size_t>(index)].text);
  auto& view = context_.view.wordsView;
  view.SetLines(ReadTextLines(path));
  selection_.clear();
  pages.SetActivePage(context_.view.wordScanPage);
  view.RequestFocus();
}

void WordLists::DropText(std::string text) {
  selection_ = std::move(text);
  AddSelectedToList();
}

void WordLists::DropHighlightedWord() {
  const int index = words_.ItemIndex();
  if (index < 0 || index >= static_cast<int>(words_.Items().size())) return;
  const std::string& entry = words_.Items()[static_cast<size_t>(index)].text;
  context_.view.wordEdit.SetText(entry.size() > 5 ? entry.substr(5) : "");
  context_.view.wordType.Combo().SetEditText(entry.substr(0, 4));
}

void WordLists::AddSelectedToList() {
  auto& word = context_.view.wordEdit;
  word.SetText(BeforeFirst(selection_, "\r\n"));
  word.RequestFocus();
}

}  // namespace korvane
