#pragma once
// An add button that also takes files and folders dropped on it.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <functional>
#include <string>
#include <vector>

#include "korvane/ui/drop_paths.h"

namespace korvane::ui {

class DropButton : public QPushButton {
  Q_OBJECT
 public:
  DropButton(std::function<void(const std::vector<std::string>&)> onDrop, QWidget* parent)
      : QPushButton(parent), onDrop_(std::move(onDrop)) {
    setAcceptDrops(true);
  }

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
  }
  void dropEvent(QDropEvent* event) override {
    const auto paths = DroppedPaths(event->mimeData());
    event->acceptProposedAction();
    onDrop_(paths);
  }

 private:
  std::function<void(const std::vector<std::string>&)> onDrop_;
};

}  // namespace korvane::ui
