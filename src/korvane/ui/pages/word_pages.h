#pragma once
// The pages "Edit word list" and "Objects": the control-word fields and the
// two word lists. Their editing commands come with the word-list subsystem;
// the lists and fields are here, kept and restored with the job.

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
