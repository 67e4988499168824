#pragma once
// The main window: menus and tool bar built from the action list, one widget
// class per page, the console memo and the message bar. It holds no rules.

#include <QFontMetrics>
#include <QMainWindow>
#include <string>

#include "korvane/core/common/signal.h"

#include "korvane/core/components/text_measure.h"

namespace korvane {
class Shell;
}

namespace korvane::ui {

class StatusBarWidget;

// Widths of texts in the window's list font, for the list columns the core lays out.
class FontMeasure : public TextMeasure {
 public:
  explicit FontMeasure(const QFont& font) : metrics_(font) {}
  int Width(std::string_view text) const override {
    return metrics_.horizontalAdvance(
        QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())));
  }

 private:
  QFontMetrics metrics_;
};

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(Shell& shell);
  ~MainWindow() override;
  // The window size remembered at the last hide; call after the shell showed.
  void ApplyStoredSettings();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void FitToWorkArea();
  void BuildMenus();
  QWidget* BuildCentral();
  void RefreshWindowState();
  void DropWidgetsOf(const std::string& name);

  Shell& shell_;
  FontMeasure listMeasure_{font()};
  StatusBarWidget* statusBar_ = nullptr;
  ConnectionList connections_;
  // Focus moves while the window's children are destroyed: this connection must end
  // before the window stops being a MainWindow.
  QMetaObject::Connection focusWatch_;
};

}  // namespace korvane::ui
