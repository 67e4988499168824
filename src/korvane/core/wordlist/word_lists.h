#pragma once
// The job's word lists (control words and objects) on the word-list page: importing and
// exporting .wrl files, loading the product's function table into empty lists, and
// appending a control word from the word field and the type box.

#include <string>

#include "korvane/core/components/action.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/form/window_context.h"
#include "korvane/core/wordlist/word_editors.h"

namespace korvane {

class ProductCatalogue;

// What the word lists need of the job: its modified flag.
class WordListJob {
 public:
  virtual ~WordListJob() = default;
  virtual void SetModified() = 0;
};

class WordLists {
 public:
  WordLists(WindowContext& context, WordListJob& job);

  // Sets the handlers of the import and export actions and the "Add to list" button.
  void Connect(ActionList& actions);
  // Loads the function table when the catalogue asks for it (product switch, job load)
  // and when the word-list page becomes the active page.
  void Follow(ProductCatalogue& catalogue);

  void Import();
  void Export();
  void LoadFunctionTable();
  // Appends "type word" from the type box and the trimmed word field, checked.
  void AddToList();

  // Loads the source highlighted in the source list into the pick-up text view; from
  // another page it shows the source list first.
  void LoadTextFile();
  // The word field takes the pick-up view's selection up to its first line break.
  void AddSelectedToList();
  // What the view has selected in the pick-up text, lines ended by CR LF.
  void SetPickupSelection(std::string text) { selection_ = std::move(text); }
  // Text dropped on the word field (from the pick-up view or anywhere else): the
  // word field takes it up to its first line break.
  void DropText(std::string text);
  // The control words list dropped on the word field: its highlighted entry goes to
  // the word field and the type box.
  void DropHighlightedWord();

  CheckList& Words() { return words_; }
  CheckList& Objects() { return objects_; }
  ControlWordEditor& WordEditor() { return wordEditor_; }
  ObjectEditor& ObjectTextEditor() { return objectEditor_; }

 private:
  void ShowWordPage();
  FileDialogRequest DialogFromLastUsed() const;

  WindowContext& context_;
  WordListJob& job_;
  CheckList& words_;
  CheckList& objects_;
  std::string selection_;
  ControlWordEditor wordEditor_{words_, job_};
  ObjectEditor objectEditor_{objects_, job_};
  ConnectionList connections_;
};

}  // namespace korvane
