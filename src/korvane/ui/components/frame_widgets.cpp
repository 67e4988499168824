#include "korvane/ui/components/frame_widgets.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "korvane/core/common/guarded_run.h"
#include "korvane/core/components/frames.h"
#include "korvane/ui/binders.h"
#include "korvane/ui/drop_paths.h"
#include "korvane/ui/text_codec.h"

namespace korvane::ui {

PathFrameWidget::PathFrameWidget(CommandGate& gate, PathField& frame, QWidget* parent)
    : QWidget(parent),
      gate_(gate),
      frame_(frame),
      label_(new QLabel(this)),
      edit_(new QLineEdit(this)),
      browse_(new QToolButton(this)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 2, 0, 2);
  label_->setMinimumWidth(260);
  layout->addWidget(label_);
  layout->addWidget(edit_, 1);
  browse_->setText("...");
  browse_->setToolTip("Browse");
  layout->addWidget(browse_);

  BindCommon(frame, this);
  setAcceptDrops(true);
  edit_->setAcceptDrops(false);
  edit_->setObjectName("Edit");
  ConnectionsOf(this).Add(frame.changed.Connect([this] { Refresh(); }));
  connect(edit_, &QLineEdit::textEdited, this,
          Guarded<const QString&>(
              gate, [&frame](const QString& text) { frame.UserEdit(ToLocal(text)); }));
  connect(edit_, &QLineEdit::editingFinished, this, Guarded(gate, [&frame] { frame.Leave(); }));
  connect(browse_, &QToolButton::clicked, this, Guarded(gate, [&frame] { frame.BrowseClick(); }));
  Refresh();
}

void PathFrameWidget::Refresh() {
  label_->setText(FromLocal(frame_.Caption()));
  const QString text = FromLocal(frame_.Text());
  if (edit_->text() != text) edit_->setText(text);
  // Red alone does not say what is wrong: name the file that is missing.
  edit_->setToolTip(frame_.Invalid() ? "File not found: " + text : text);
  QPalette pal = edit_->palette();
  QColor base = QApplication::palette().color(QPalette::Base);
  if (frame_.Browsing()) base = QApplication::palette().color(QPalette::Button);
  if (frame_.Invalid()) base = QColor(255, 0, 0);
  pal.setColor(QPalette::Base, base);
  edit_->setPalette(pal);
}

}  // namespace korvane::ui

namespace korvane::ui {

void PathFrameWidget::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void PathFrameWidget::dropEvent(QDropEvent* event) {
  const std::vector<std::string> paths = DroppedPaths(event->mimeData());
  gate_.Run([this, &paths] { frame_.DropFiles(paths); });
  event->acceptProposedAction();
}

}  // namespace korvane::ui
