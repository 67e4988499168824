#include "korvane/ui/status_bar_widget.h"

#include <QApplication>
#include <QMouseEvent>

#include "korvane/core/app/shell.h"
#include "korvane/core/form/component_names.h"
#include "korvane/ui/binders.h"
#include "korvane/ui/text_codec.h"

namespace korvane::ui {

namespace {

// The model's colours are BGR values of the classic palette.
QColor FromBgr(std::uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

}  // namespace

StatusBarWidget::StatusBarWidget(Shell& shell, QWidget* parent) : QLabel(parent), shell_(shell) {
  setObjectName(names::kStatusBar);
  setAutoFillBackground(true);
  setMargin(3);
  setMinimumHeight(fontMetrics().height() + 8);
  setTextFormat(Qt::PlainText);
  ConnectionsOf(this).Add(shell_.Status().changed.Connect([this] { Refresh(); }));
  UpdateMeasure();
  Refresh();
}

void StatusBarWidget::Refresh() {
  const StatusBar& model = shell_.Status();
  setText(FromText(model.Text()));
  setToolTip(FromText(model.Hint()));
  QPalette pal = palette();
  QColor background = QApplication::palette().color(QPalette::Button);
  if (model.Colour() == StatusColour::Error) background = FromBgr(StatusBar::kColorErr);
  if (model.Colour() == StatusColour::Warning) background = FromBgr(StatusBar::kColorWarn);
  pal.setColor(QPalette::Window, background);
  pal.setColor(QPalette::WindowText,
               model.Colour() == StatusColour::Warning ? Qt::white : Qt::black);
  setPalette(pal);
}

void StatusBarWidget::UpdateMeasure() {
  const QFontMetrics metrics = fontMetrics();
  shell_.Status().SetTextMeasure(
      [metrics](std::string_view text) {
        return metrics.horizontalAdvance(FromText(std::string(text)));
      },
      contentsRect().width() - 2 * margin());
}

void StatusBarWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) shell_.Run([this] { shell_.Status().Click(); });
  QLabel::mousePressEvent(event);
}

void StatusBarWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  shell_.Run([this] { shell_.Status().DoubleClick(); });
  QLabel::mouseDoubleClickEvent(event);
}

void StatusBarWidget::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  shell_.Run([this] { UpdateMeasure(); });
}

}  // namespace korvane::ui
