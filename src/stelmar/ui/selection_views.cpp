// The selection dialogs of the port: one file, several files, FILE or procedure names.
#include <QDialog>
#include <QDialogButtonBox>
#include <QFont>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "stelmar/core/selection_dialogs.h"
#include "stelmar/ui/qt_stelmar_port.h"

namespace stelmar::ui {
namespace {

QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  buttons->button(QDialogButtonBox::Ok)->setText("Ok");
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

void Fill(QListWidget* list, const std::vector<std::string>& entries) {
  list->clear();
  for (const std::string& entry : entries) list->addItem(FromNative(entry));
}

std::vector<std::size_t> SelectedRows(QListWidget* list) {
  std::vector<std::size_t> rows;
  for (int i = 0; i < list->count(); ++i) {
    if (list->item(i)->isSelected()) rows.push_back(static_cast<std::size_t>(i));
  }
  return rows;
}

}  // namespace

QString FromNative(const std::string& text) {
  return QString::fromLocal8Bit(text);
}
std::string ToNative(const QString& text) {
  return text.toLocal8Bit().toStdString();
}

void QtStelmarPort::ShowError(const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::Critical, FromNative(caption), FromNative(text), QMessageBox::Ok,
                  parent_);
  box.exec();
}

void QtStelmarPort::RunSingleFile(SingleFileDialog& model) {
  QDialog dialog(parent_);
  dialog.setObjectName("TSelectPli");
  dialog.setWindowTitle(FromNative(model.Caption()));
  auto* list = new QListWidget(&dialog);
  list->setObjectName("101");
  Fill(list, model.Entries());
  auto* name = new QLineEdit(&dialog);
  name->setObjectName("102");
  name->setReadOnly(true);
  // Selection, not the focus frame a list gets on its own, fills the name.
  QObject::connect(list, &QListWidget::itemSelectionChanged, &dialog, [&] {
    const auto rows = SelectedRows(list);
    if (rows.empty()) return;
    model.Select(rows.front());
    name->setText(FromNative(model.Name()));
  });
  auto* buttons = OkCancel(&dialog);
  // A name the job parameter file cannot hold leaves the dialog open.
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    if (model.Ok()) dialog.accept();
  });
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(list);
  auto* form = new QFormLayout;
  form->addRow("Name", name);
  layout->addLayout(form);
  layout->addWidget(buttons);
  dialog.resize(340, 360);
  dialog.exec();
}

void QtStelmarPort::RunMultiFile(MultiFileDialog& model) {
  QDialog dialog(parent_);
  dialog.setObjectName("TSelectFiles");
  dialog.setWindowTitle(FromNative(model.Caption()));
  auto* left = new QListWidget(&dialog);
  left->setObjectName("104");
  left->setSelectionMode(QAbstractItemView::MultiSelection);
  Fill(left, model.Available());
  auto* right = new QListWidget(&dialog);
  right->setObjectName("105");
  auto* move = new QPushButton("-------->", &dialog);
  move->setObjectName("101");
  QObject::connect(move, &QPushButton::clicked, &dialog, [&] {
    model.MoveSelected(SelectedRows(left));
    Fill(right, model.Chosen());
  });
  auto* buttons = OkCancel(&dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    model.Ok();
    dialog.accept();
  });
  auto* grid = new QGridLayout(&dialog);
  grid->addWidget(new QLabel("Files to be selected", &dialog), 0, 0);
  grid->addWidget(new QLabel("Selected Files", &dialog), 0, 2);
  grid->addWidget(left, 1, 0);
  grid->addWidget(move, 1, 1, Qt::AlignVCenter);
  grid->addWidget(right, 1, 2);
  grid->addWidget(buttons, 2, 0, 1, 3);
  dialog.resize(560, 380);
  dialog.exec();
}

void QtStelmarPort::RunObjectSelection(ObjectSelectionDialog& model) {
  QDialog dialog(parent_);
  dialog.setObjectName("ObjectSelection");
  dialog.setWindowTitle(FromNative(model.Caption()));
  auto* list = new QListWidget(&dialog);
  list->setObjectName("101");
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  Fill(list, model.Entries());
  auto* buttons = OkCancel(&dialog);
  // An output file that cannot be written leaves the dialog open.
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    if (model.Ok(SelectedRows(list))) dialog.accept();
  });
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(list);
  layout->addWidget(buttons);
  dialog.resize(360, 380);
  dialog.exec();
}

}  // namespace stelmar::ui
