#pragma once
// The language page: the eight product radio buttons in their two columns
// and the output-interface version group.

#include <QWidget>

namespace korvane {
class Shell;
}

namespace korvane::ui {

class LanguagePage : public QWidget {
  Q_OBJECT
 public:
  LanguagePage(Shell& shell, QWidget* parent);
};

}  // namespace korvane::ui
