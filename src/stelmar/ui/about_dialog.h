#pragma once
// "About Stelmar": the icon, the product title and the version lines.

#include <QDialog>

namespace stelmar::ui {

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  AboutDialog(const QIcon& icon, QWidget* parent = nullptr);
};

}  // namespace stelmar::ui
