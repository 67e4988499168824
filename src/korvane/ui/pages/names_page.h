#pragma once
// The page "Names and datasets": product and system names, the job's base
// directory, the processing type, and the source and copy lists.

#include <QWidget>

namespace korvane {
class Shell;
}

namespace korvane::ui {

class NamesPage : public QWidget {
  Q_OBJECT
 public:
  NamesPage(Shell& shell, QWidget* parent);
};

}  // namespace korvane::ui
