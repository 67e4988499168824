#pragma once
// The shell of a program in <dir>/bin and its main window, for the widget tests.

#include <gtest/gtest.h>
#include <QApplication>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <QWidget>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "korvane/core/app/shell.h"
#include "korvane/ui/main_window.h"
#include "platform/memory_settings.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane::testing {

// The COBOL product with its tools installed; extras, when given, follow as its line.
inline std::string CobolIni(const std::string& extras = "") {
  return "ActiveRadioButton=RadioButtonCobol\r\nRadioButtonCobol=Cobol,COB,x,1,XML\r\n" +
         (extras.empty() ? std::string() : "COB.Extras=" + extras + "\r\n");
}

// Data dragged in and dropped: Qt hands the drop only to a widget that accepted the
// drag's entry. Says whether both were accepted.
inline bool SendDrop(QWidget* target, QMimeData& data) {
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  return enter.isAccepted() && drop.isAccepted();
}

// A file dragged from the file manager and dropped.
inline void SendDrop(QWidget* target, const std::string& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  SendDrop(target, data);
}

class WindowTest : public ::testing::Test {
 protected:
  // Writes ini (when given) as the configuration, makes the tool folders of every product
  // named, creates the shell and, with a window, the main window; returns what the shell's
  // creation returned.
  bool Open(const std::string& ini, bool withWindow = true) {
    for (const char* tools : {"COB", "PLI"}) {
      if (ini.find(std::string(",") + tools + ",") != std::string::npos)
        std::filesystem::create_directories(dir.Path() / "bin" / (std::string(tools) + "Wrap"));
    }
    if (!ini.empty()) dir.Write("bin/korvane.INI", ini);
    shell = std::make_unique<Shell>(
        person, settings, ShellEnvironment{dir.Write("bin/korvane", ""), {}, {}, dir / "data"});
    if (withWindow) window = std::make_unique<ui::MainWindow>(*shell);
    return shell->Create();
  }

  // Opens, shows the shell and its window, and waits until the window is active.
  void OpenShown(const std::string& ini) {
    ASSERT_TRUE(Open(ini));
    ASSERT_TRUE(shell->Show());
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  // The named widget; a missing one ends the test rather than crash it.
  template <class T>
  T& Child(const QString& name) {
    T* child = window->findChild<T*>(name);
    if (child == nullptr) throw std::runtime_error("no widget " + name.toStdString());
    return *child;
  }

  TempDir dir;
  ScriptedPerson person;
  platform::MemorySettings settings;
  std::unique_ptr<Shell> shell;
  std::unique_ptr<ui::MainWindow> window;  // after the shell: it goes first
};

}  // namespace korvane::testing
