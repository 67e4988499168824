#include "korvane/ui/components/frame_widgets.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>

#include "korvane/core/app/shell.h"
#include "korvane/core/components/frames.h"
#include "korvane/ui/binders.h"
#include "korvane/ui/text_codec.h"

namespace korvane::ui {

namespace {

void Layout(QWidget* owner, QLabel* label, QLineEdit* edit, QToolButton* browse) {
  auto* layout = new QHBoxLayout(owner);
  layout->setContentsMargins(0, 2, 0, 2);
  label->setMinimumWidth(260);
  layout->addWidget(label);
  layout->addWidget(edit, 1);
  browse->setText("...");
  browse->setToolTip("Browse");
  layout->addWidget(browse);
}

void Paint(QLineEdit* edit, bool red, bool browsing) {
  QPalette pal = edit->palette();
  QColor base = QApplication::palette().color(QPalette::Base);
  if (browsing) base = QApplication::palette().color(QPalette::Button);
  if (red) base = QColor(255, 0, 0);
  pal.setColor(QPalette::Base, base);
  edit->setPalette(pal);
}

// Both frames take typed text, run their exit handling on Enter or focus loss
// and their browse click from the button, all through the shell's guard.
template <typename Owner, typename Frame>
void Wire(Owner* owner, Shell& shell, Frame& frame, QLineEdit* edit, QToolButton* browse) {
  BindCommon(frame, owner);
  edit->setObjectName("Edit");
  QPointer<Owner> self(owner);
  frame.changed.Connect([self] {
    if (self) self->Refresh();
  });
  QObject::connect(edit, &QLineEdit::textEdited,
                   [&frame](const QString& text) { frame.UserEdit(ToLocal(text)); });
  QObject::connect(edit, &QLineEdit::editingFinished,
                   [&shell, &frame] { shell.Run([&frame] { frame.EditExit(); }); });
  QObject::connect(browse, &QToolButton::clicked,
                   [&shell, &frame] { shell.Run([&frame] { frame.BrowseClick(); }); });
}

}  // namespace

ToolPathFrameWidget::ToolPathFrameWidget(Shell& shell, ToolPathFrame& frame, QWidget* parent)
    : QWidget(parent),
      frame_(frame),
      label_(new QLabel(this)),
      edit_(new QLineEdit(this)),
      browse_(new QToolButton(this)) {
  Layout(this, label_, edit_, browse_);
  Wire(this, shell, frame, edit_, browse_);
  Refresh();
}

void ToolPathFrameWidget::Refresh() {
  label_->setText(FromLocal(frame_.Caption()));
  const QString text = FromLocal(frame_.Text());
  if (edit_->text() != text) edit_->setText(text);
  edit_->setToolTip(text);
  Paint(edit_, frame_.Invalid(), frame_.Browsing());
}

DirectoryFrameWidget::DirectoryFrameWidget(Shell& shell, DirectoryFrame& frame, QWidget* parent)
    : QWidget(parent),
      frame_(frame),
      label_(new QLabel(this)),
      edit_(new QLineEdit(this)),
      browse_(new QToolButton(this)) {
  Layout(this, label_, edit_, browse_);
  Wire(this, shell, frame, edit_, browse_);
  Refresh();
}

void DirectoryFrameWidget::Refresh() {
  label_->setText(FromLocal(frame_.Caption()));
  const QString text = FromLocal(frame_.Text());
  if (edit_->text() != text) edit_->setText(text);
  edit_->setToolTip(text);
  Paint(edit_, false, frame_.Browsing());
}

}  // namespace korvane::ui
