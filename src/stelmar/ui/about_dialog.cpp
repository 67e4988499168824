#include "stelmar/ui/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "stelmar/core/about.h"

namespace stelmar::ui {

AboutDialog::AboutDialog(const QIcon& icon, QWidget* parent) : QDialog(parent) {
  setObjectName("TStelmarAboutDlg");
  setWindowTitle("About Stelmar");
  const AboutLines lines = MakeAboutLines(VersionValues());
  auto* iconLabel = new QLabel(this);
  iconLabel->setPixmap(icon.pixmap(32, 32));
  auto* text = new QVBoxLayout;
  for (const std::string* line : {&lines.title, &lines.version, &lines.legal, &lines.specialBuild})
    text->addWidget(new QLabel(QString::fromStdString(*line), this));
  auto* top = new QHBoxLayout;
  top->addWidget(iconLabel, 0, Qt::AlignTop);
  top->addLayout(text);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buttons);
}

}  // namespace stelmar::ui
