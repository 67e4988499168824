#pragma once
// An add button that also takes files and folders dropped on it; the drop
// enters the core through the gate.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <functional>
#include <string>
#include <vector>

#include "korvane/core/common/guarded_run.h"
#include "korvane/ui/drop_paths.h"

namespace korvane::ui {

class DropButton : public QPushButton {
  Q_OBJECT
 public:
  DropButton(CommandGate& gate, std::function<void(const std::vector<std::string>&)> onDrop,
             QWidget* parent)
      : QPushButton(parent), gate_(gate), onDrop_(std::move(onDrop)) {
    setAcceptDrops(true);
  }

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
  }
  void dropEvent(QDropEvent* event) override {
    const auto paths = DroppedPaths(event->mimeData());
    event->acceptProposedAction();
    gate_.Run([this, &paths] { onDrop_(paths); });
  }

 private:
  CommandGate& gate_;
  std::function<void(const std::vector<std::string>&)> onDrop_;
};

}  // namespace korvane::ui
