// The settings dialogs of the port, the directory browser and the open-file dialog.
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "stelmar/core/settings_dialogs.h"
#include "stelmar/ui/qt_stelmar_port.h"

namespace stelmar::ui {
namespace {

QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  buttons->button(QDialogButtonBox::Ok)->setText("Ok");
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

// "Name|pattern|Name|pattern|" as Qt filters; "*.*" means every file here.
QString QtFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|', Qt::SkipEmptyParts);
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString pattern = parts[i + 1];
    if (pattern == "*.*") pattern = "*";
    filters << QString("%1 (%2)").arg(parts[i], pattern);
  }
  return filters.join(";;");
}

}  // namespace

void QtStelmarPort::RunDirectoryBrowser(DirectoryBrowser& model) {
  QDialog dialog(parent_);
  dialog.setObjectName("TOpenDir");
  dialog.setWindowTitle(FromNative(model.Caption()));
  auto* list = new QListWidget(&dialog);
  list->setObjectName("101");
  auto* field = new QLineEdit(&dialog);
  field->setObjectName("102");
  field->setReadOnly(true);
  const auto refresh = [&] {
    list->clear();
    for (const std::string& entry : model.Entries()) list->addItem(FromNative(entry));
    field->setText(FromNative(model.Directory()));
  };
  refresh();
  QObject::connect(list, &QListWidget::itemClicked, &dialog, [&](QListWidgetItem* item) {
    model.Select(static_cast<std::size_t>(list->row(item)));
    // Relisting replaces the items, so leave the click handler first.
    QMetaObject::invokeMethod(&dialog, refresh, Qt::QueuedConnection);
  });
  auto* buttons = OkCancel(&dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    model.Ok();
    dialog.accept();
  });
  auto* layout = new QVBoxLayout(&dialog);
  auto* form = new QFormLayout;
  form->addRow("Directory", field);
  layout->addLayout(form);
  layout->addWidget(list);
  layout->addWidget(buttons);
  dialog.resize(420, 380);
  dialog.exec();
}

void QtStelmarPort::RunDirectories(DirectoriesDialog& model) {
  QDialog dialog(parent_);
  dialog.setObjectName("TDirs");
  dialog.setWindowTitle("Directories");
  auto* grid = new QGridLayout(&dialog);
  const char* labels[] = {"Input Directory", "Output Directory", "Work File Directory"};
  for (int i = 0; i < 3; ++i) {
    const auto which = static_cast<DirectoriesDialog::Which>(i);
    auto* field = new QLineEdit(FromNative(model.Value(which)), &dialog);
    field->setObjectName(QString::number(101 + i));
    field->setReadOnly(true);
    field->setMinimumWidth(320);
    auto* search = new QPushButton("Search", &dialog);
    search->setObjectName(QString::number(104 + i));
    QObject::connect(search, &QPushButton::clicked, &dialog, [&model, which, field] {
      model.Browse(which);
      field->setText(FromNative(model.Value(which)));
    });
    grid->addWidget(new QLabel(labels[i], &dialog), i, 0);
    grid->addWidget(field, i, 1);
    grid->addWidget(search, i, 2);
  }
  auto* buttons = OkCancel(&dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    model.Ok();
    dialog.accept();
  });
  grid->addWidget(buttons, 3, 0, 1, 3);
  dialog.exec();
}

void QtStelmarPort::RunCopyDirectories(CopyDirectoriesDialog& model) {
  QDialog dialog(parent_);
  dialog.setObjectName("TAdddirs");
  dialog.setWindowTitle("Copy Directories");
  auto* form = new QFormLayout(&dialog);
  std::vector<QLineEdit*> fields;
  for (int i = 0; i < 5; ++i) {
    auto* field = new QLineEdit(FromNative(model.Fields()[i]), &dialog);
    field->setObjectName(QString::number(101 + i));
    field->setMinimumWidth(360);
    form->addRow(QString::number(i + 1), field);
    fields.push_back(field);
  }
  auto* buttons = OkCancel(&dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    for (int i = 0; i < 5; ++i) model.Fields()[i] = ToNative(fields[i]->text());
    if (model.Ok(*this)) dialog.accept();
  });
  form->addRow(buttons);
  dialog.exec();
}

void QtStelmarPort::RunParameter(ParameterDialog& model) {
  QDialog dialog(parent_);
  dialog.setObjectName("TParam");
  dialog.setWindowTitle("Paramter");
  auto* group = new QGroupBox("Program Type", &dialog);
  auto* groupLayout = new QVBoxLayout(group);
  QButtonGroup buttonsGroup(&dialog);
  const std::pair<const char*, ParameterDialog::Button> radios[] = {
      {"IMS", ParameterDialog::kIms},
      {"CICS", ParameterDialog::kCics},
      {"UTM", ParameterDialog::kUtm}};
  for (const auto& [text, id] : radios) {
    auto* radio = new QRadioButton(text, group);
    radio->setObjectName(QString::number(id));
    radio->setChecked(model.Checked() == id);
    buttonsGroup.addButton(radio, id);
    groupLayout->addWidget(radio);
  }
  QObject::connect(&buttonsGroup, &QButtonGroup::idClicked, &dialog,
                   [&](int id) { model.Click(static_cast<ParameterDialog::Button>(id)); });
  auto* buttons = OkCancel(&dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    model.Ok();
    dialog.accept();
  });
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(group);
  layout->addWidget(buttons);
  dialog.exec();
}

void QtStelmarPort::RunEditor(EditorDialog& model) {
  QDialog dialog(parent_);
  dialog.setObjectName("TEditor");
  dialog.setWindowTitle("Editor");
  auto* field = new QLineEdit(FromNative(model.Value()), &dialog);
  field->setObjectName("101");
  field->setMinimumWidth(360);
  field->setMaxLength(159);
  auto* search = new QPushButton("&Search", &dialog);
  search->setObjectName("102");
  QObject::connect(search, &QPushButton::clicked, &dialog, [&] {
    model.SetValue(ToNative(field->text()));
    model.Search();
    field->setText(FromNative(model.Value()));
  });
  auto* buttons = OkCancel(&dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    model.SetValue(ToNative(field->text()));
    model.Ok();
    dialog.accept();
  });
  auto* grid = new QGridLayout(&dialog);
  grid->addWidget(new QLabel("Editor", &dialog), 0, 0);
  grid->addWidget(field, 0, 1);
  grid->addWidget(search, 0, 2);
  grid->addWidget(buttons, 1, 0, 1, 3);
  dialog.exec();
}

std::optional<std::string> QtStelmarPort::OpenFile(const OpenFileData& data,
                                                   const std::string& startDir) {
  QFileDialog dialog(parent_, "Open", FromNative(startDir), QtFilter(data.filter));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(data.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ToNative(dialog.selectedFiles().front());
}

}  // namespace stelmar::ui
