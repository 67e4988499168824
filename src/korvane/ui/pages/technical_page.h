#pragma once
// The page "Technical parameters": the tool configuration memo with its
// Apply button, and the small pages of new file names and long extensions.

#include <QWidget>

namespace korvane {
class Shell;
}

namespace korvane::ui {

class TechnicalPage : public QWidget {
  Q_OBJECT
 public:
  TechnicalPage(Shell& shell, QWidget* parent);
};

}  // namespace korvane::ui
