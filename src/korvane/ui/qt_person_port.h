#pragma once
// The person-port with real Qt dialogs, owned by the main window.

#include <QWidget>

#include "korvane/core/common/person_port.h"

namespace korvane::ui {

class QtPersonPort : public PersonPort {
 public:
  explicit QtPersonPort(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  Button Ask(MessageKind kind, const std::string& text, const Buttons& buttons) override;
  std::vector<std::string> OpenFiles(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseFolder(const FolderDialogRequest& request) override;
  std::optional<FontChoice> ChooseFont(const FontChoice& current) override;
  void Beep() override;
  void ProcessPendingEvents() override;
  void RunOnInterfaceThread(const std::function<void()>& work) override;
  void ShowFailure(const std::string& text) override;
  void ShowAbout(const AboutInfo& info) override;
  bool OpenDocument(const std::string& path) override;

 private:
  QWidget* parent_;
};

// Turns "Text|*.a;*.b|Other|*.*" into Qt's "Text (*.a *.b);;Other (*.*)".
QString ToQtFilter(const std::string& filter);

}  // namespace korvane::ui
