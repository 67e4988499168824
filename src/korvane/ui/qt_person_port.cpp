#include "korvane/ui/qt_person_port.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QMetaObject>
#include <QThread>
#include <QUrl>

#include "korvane/ui/about_dialog.h"
#include "korvane/ui/text_codec.h"

namespace korvane::ui {

namespace {

QMessageBox::StandardButton ToQt(Button b) {
  switch (b) {
    case Button::Ok:
      return QMessageBox::Ok;
    case Button::Cancel:
      return QMessageBox::Cancel;
    case Button::Yes:
      return QMessageBox::Yes;
    case Button::No:
      return QMessageBox::No;
    case Button::Abort:
      return QMessageBox::Abort;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon IconFor(MessageKind kind) {
  switch (kind) {
    case MessageKind::Information:
      return QMessageBox::Information;
    case MessageKind::Warning:
      return QMessageBox::Warning;
    case MessageKind::Error:
      return QMessageBox::Critical;
    case MessageKind::Confirmation:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QString ToQtFilter(const std::string& filter) {
  const QStringList parts = FromLocal(filter).split('|');
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString masks = parts[i + 1];
    masks.replace(';', ' ');
    out << parts[i] + " (" + masks + ")";
  }
  return out.join(";;");
}

Button QtPersonPort::Ask(MessageKind kind, const std::string& text, const Buttons& buttons) {
  QMessageBox box(IconFor(kind), QApplication::applicationDisplayName(), FromText(text),
                  QMessageBox::NoButton, parent_);
  for (const Button b : buttons) box.addButton(ToQt(b));
  if (buttons.empty()) box.addButton(QMessageBox::Ok);
  const auto chosen = static_cast<QMessageBox::StandardButton>(box.exec());
  for (const Button b : buttons) {
    if (ToQt(b) == chosen) return b;
  }
  // Closing the box counts as its last (cancelling) button.
  return buttons.empty() ? Button::Ok : buttons.back();
}

std::vector<std::string> QtPersonPort::OpenFiles(const FileDialogRequest& request) {
  QFileDialog dialog(parent_, FromLocal(request.title), FromLocal(request.initialDir),
                     ToQtFilter(request.filter));
  dialog.setFileMode(request.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (!request.fileName.empty()) dialog.selectFile(FromLocal(request.fileName));
  if (!request.defaultExt.empty()) dialog.setDefaultSuffix(FromLocal(request.defaultExt));
  std::vector<std::string> files;
  if (dialog.exec() != QDialog::Accepted) return files;
  for (const QString& f : dialog.selectedFiles()) files.push_back(ToLocal(f));
  return files;
}

std::optional<std::string> QtPersonPort::SaveFile(const FileDialogRequest& request) {
  QFileDialog dialog(parent_, FromLocal(request.title), FromLocal(request.initialDir),
                     ToQtFilter(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  if (!request.overwritePrompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!request.fileName.empty()) dialog.selectFile(FromLocal(request.fileName));
  if (!request.defaultExt.empty()) dialog.setDefaultSuffix(FromLocal(request.defaultExt));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ToLocal(dialog.selectedFiles().front());
}

std::optional<std::string> QtPersonPort::ChooseFolder(const FolderDialogRequest& request) {
  QFileDialog::Options options = QFileDialog::ShowDirsOnly;
  if (!request.allowCreate) options |= QFileDialog::ReadOnly;
  const QString dir = QFileDialog::getExistingDirectory(parent_, FromLocal(request.caption),
                                                        FromLocal(request.startDir), options);
  if (dir.isEmpty()) return std::nullopt;
  return ToLocal(dir);
}

std::optional<FontChoice> QtPersonPort::ChooseFont(const FontChoice& current) {
  QFont initial(FromLocal(current.name), current.size > 0 ? current.size : 10);
  initial.setBold(current.bold);
  initial.setItalic(current.italic);
  initial.setUnderline(current.underline);
  initial.setStrikeOut(current.strikeOut);
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, initial, parent_);
  if (!ok) return std::nullopt;
  FontChoice choice = current;
  choice.name = ToLocal(font.family());
  // A font given in points has no pixel size: its height is that of a 96 dpi screen.
  choice.size = font.pointSize() > 0 ? font.pointSize() : qRound(font.pixelSize() * 72.0 / 96.0);
  choice.height =
      font.pixelSize() > 0 ? -font.pixelSize() : -qRound(font.pointSizeF() * 96.0 / 72.0);
  choice.bold = font.bold();
  choice.italic = font.italic();
  choice.underline = font.underline();
  choice.strikeOut = font.strikeOut();
  return choice;
}

void QtPersonPort::Beep() {
  QApplication::beep();
}

void QtPersonPort::ProcessPendingEvents() {
  QApplication::processEvents();
}

void QtPersonPort::RunOnInterfaceThread(const std::function<void()>& work) {
  if (QThread::currentThread() == qApp->thread()) {
    work();
    return;
  }
  QMetaObject::invokeMethod(qApp, work, Qt::BlockingQueuedConnection);
}

void QtPersonPort::ShowFailure(const std::string& text) {
  QMessageBox::critical(parent_, QApplication::applicationDisplayName(), FromText(text));
}

void QtPersonPort::ShowAbout(const AboutInfo& info) {
  AboutDialog dialog(info, ToLocal(QApplication::applicationFilePath()), parent_);
  dialog.exec();
}

bool QtPersonPort::OpenDocument(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(FromLocal(path)));
}

}  // namespace korvane::ui
