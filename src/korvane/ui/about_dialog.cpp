#include "korvane/ui/about_dialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "korvane/core/app/about_box.h"
#include "korvane/ui/text_codec.h"

namespace korvane::ui {

namespace {

QLabel* Line(const char* name, const std::string& text, QWidget* parent) {
  auto* label = new QLabel(FromLocal(text), parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

AboutDialog::AboutDialog(const AboutInfo& info, const std::string& executable, QWidget* parent)
    : QDialog(parent) {
  setObjectName("frmAbout");
  setWindowTitle("About");
  auto* layout = new QVBoxLayout(this);
  auto* title = Line("lblPgmTitle", info.productName, this);
  QFont big = title->font();
  big.setPointSize(big.pointSize() + 6);
  big.setBold(true);
  title->setFont(big);
  layout->addWidget(title);
  layout->addWidget(Line("lblFileDesc", info.fileDescription, this));
  layout->addWidget(Line("lblCopyright", info.legalCopyright, this));
  layout->addWidget(Line("lblProdver", info.productVersion, this));
  layout->addWidget(Line("lblFileVer", info.fileVersion, this));
  const QDateTime built = QFileInfo(FromLocal(executable)).lastModified();
  layout->addWidget(Line(
      "lblBuildDateTime",
      "Built on: " + ToLocal(QLocale::c().toString(built, "yyyy MMMM dd,dddd hh:mm:ss")), this));

  const AboutMemoLayout memo = LayoutAboutMemo(info.memoContent);
  if (memo.visible) {
    auto* box = new QLabel(FromLocal(memo.text), this);
    box->setObjectName("Memo1");
    box->setFrameShape(QFrame::StyledPanel);
    box->setAlignment(memo.leftAligned ? Qt::AlignLeft : Qt::AlignHCenter);
    box->setMinimumHeight(memo.height);
    layout->addWidget(box);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("btnOK");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}

}  // namespace korvane::ui
