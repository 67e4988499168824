#pragma once
// The About box: version information of the program and the tool root.

#include <QDialog>

#include "korvane/core/app/shell.h"

namespace korvane::ui {

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  AboutDialog(const AboutInfo& info, const std::string& executable, QWidget* parent);
};

}  // namespace korvane::ui
