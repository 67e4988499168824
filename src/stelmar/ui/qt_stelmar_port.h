#pragma once
// The person-port of the window program: real Qt dialogs bound to the core's
// dialog models. The dialogs hold no rules; they show a model and call it.

#include <QWidget>

#include "stelmar/core/stelmar_port.h"

namespace stelmar::ui {

class QtStelmarPort : public StelmarPort {
 public:
  void SetParent(QWidget* parent) { parent_ = parent; }

  void ShowError(const std::string& text, const std::string& caption) override;
  void RunSingleFile(SingleFileDialog& dialog) override;
  void RunMultiFile(MultiFileDialog& dialog) override;
  void RunObjectSelection(ObjectSelectionDialog& dialog) override;
  void RunDirectories(DirectoriesDialog& dialog) override;
  void RunDirectoryBrowser(DirectoryBrowser& dialog) override;
  void RunCopyDirectories(CopyDirectoriesDialog& dialog) override;
  void RunParameter(ParameterDialog& dialog) override;
  void RunEditor(EditorDialog& dialog) override;
  std::optional<std::string> OpenFile(const OpenFileData& data,
                                      const std::string& startDir) override;

 private:
  QWidget* parent_ = nullptr;
};

// Bytes of a file name or path as the view shows them, and back.
QString FromNative(const std::string& text);
std::string ToNative(const QString& text);

}  // namespace stelmar::ui
