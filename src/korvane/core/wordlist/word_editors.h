#pragma once
// The in-place editors of the two word lists as plain state: which line an editor is
// open on, what it shows, and when closing it stores the text back into its line.

#include <string>

#include "korvane/core/common/signal.h"
#include "korvane/core/components/lists.h"

namespace korvane {

class WordListJob;

// The control word editor: a type box and a word field over one line. Leaving it always
// stores the line and marks the job modified, changed or not; Esc drops the typing.
class ControlWordEditor {
 public:
  ControlWordEditor(CheckList& list, WordListJob& job) : list_(list), job_(job) {}

  // Opens on a line (the mouse released right of the check box, or Enter on the
  // highlighted line); false for an empty list or a line that is not there.
  bool Open(int index);
  bool IsOpen() const { return index_ >= 0; }
  int Index() const { return index_; }
  const std::string& Type() const { return type_; }
  const std::string& Word() const { return word_; }
  void SetType(std::string type) { type_ = std::move(type); }
  void SetWord(std::string word) { word_ = std::move(word); }
  // Losing the focus, Enter, or the pointer leaving the editor.
  void Store();
  // Esc: the panel only hides; the typing is dropped.
  void Cancel();

  // Opened or closed; the view places or hides the panel.
  Signal<> changed;

 private:
  void Close();

  CheckList& list_;
  WordListJob& job_;
  int index_ = -1;
  std::string type_;
  std::string word_;
};

// The object editor: one text field over one line. Only a changed text is stored.
class ObjectEditor {
 public:
  ObjectEditor(CheckList& list, WordListJob& job) : list_(list), job_(job) {}

  bool Open(int index);
  bool IsOpen() const { return index_ >= 0; }
  int Index() const { return index_; }
  const std::string& Text() const { return text_; }
  // The person typed.
  void Edit(std::string text);
  void Store();
  // Esc: the typed text is discarded first.
  void Cancel();

  // Opened or closed; the view places or hides the field.
  Signal<> changed;

 private:
  CheckList& list_;
  WordListJob& job_;
  int index_ = -1;
  bool edited_ = false;
  std::string text_;
};

}  // namespace korvane
