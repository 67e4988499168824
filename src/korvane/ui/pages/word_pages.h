#pragma once
// The pages "Edit word list" and "Objects": the row that makes a new control word,
// the two word lists edited in place, and the source words are picked from.

#include <QWidget>

namespace korvane {
class Shell;
}

namespace korvane::ui {

class WordListPage : public QWidget {
  Q_OBJECT
 public:
  WordListPage(Shell& shell, QWidget* parent);
};

class ObjectsPage : public QWidget {
  Q_OBJECT
 public:
  ObjectsPage(Shell& shell, QWidget* parent);
};

}  // namespace korvane::ui
