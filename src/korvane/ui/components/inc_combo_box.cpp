#include "korvane/ui/components/inc_combo_box.h"

#include <QApplication>
#include <QKeyEvent>

#include "korvane/core/app/shell.h"
#include "korvane/core/components/lists.h"
#include "korvane/ui/binders.h"
#include "korvane/ui/text_codec.h"

namespace korvane::ui {

IncComboBox::IncComboBox(Shell& shell, ComboBox& combo, QWidget* parent)
    : QComboBox(parent), shell_(shell), combo_(combo) {
  BindCommon(combo, this);
  combo.Combo().onBeep = [] { QApplication::beep(); };
  ConnectionsOf(this).Add(combo.changed.Connect([this] { Refresh(); }));
  connect(this, QOverload<int>::of(&QComboBox::activated), [this](int index) {
    if (refreshing_) return;
    shell_.Run([this, index] {
      combo_.Combo().SetItemIndex(index);
      combo_.Combo().Click();
      combo_.Touch();
    });
  });
  Refresh();
}

void IncComboBox::Refresh() {
  refreshing_ = true;
  const IncCombo& model = combo_.Combo();
  QStringList items;
  for (const auto& caption : model.Items()) items << FromLatin1(caption);
  QStringList shown;
  for (int i = 0; i < count(); ++i) shown << itemText(i);
  if (shown != items) {
    clear();
    addItems(items);
  }
  setCurrentIndex(model.ItemIndex());
  const std::string search = model.SearchText();
  setToolTip(search.empty() ? FromLatin1(model.Hint()) : "Search: " + FromLatin1(search));
  refreshing_ = false;
}

void IncComboBox::keyPressEvent(QKeyEvent* event) {
  IncCombo& model = combo_.Combo();
  const int key = event->key();
  const int before = model.ItemIndex();
  bool handled = true;
  if (key == Qt::Key_Home) {
    model.KeyDown(IncCombo::Key::Home);
  } else if (key == Qt::Key_End) {
    model.KeyDown(IncCombo::Key::End);
  } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    model.TypeChar(IncCombo::kEnter);
  } else if (key == Qt::Key_Escape) {
    model.TypeChar(IncCombo::kEscape);
  } else if (key == Qt::Key_Backspace) {
    model.TypeChar(IncCombo::kBackspace);
  } else if (event->text().size() == 1 && event->text()[0].unicode() >= 0x20 &&
             event->text()[0].unicode() < 0x100) {
    model.TypeChar(static_cast<char>(event->text()[0].unicode()));
  } else {
    handled = false;
  }
  if (!handled) {
    QComboBox::keyPressEvent(event);
    return;
  }
  combo_.Touch();
  // A search that landed on another item is a choice, as a click on it would be.
  if (model.ItemIndex() != before && model.ItemIndex() >= 0) {
    shell_.Run([&model] { model.Click(); });
  }
}

void IncComboBox::showPopup() {
  combo_.Combo().DropDown();
  Refresh();
  QComboBox::showPopup();
}

void IncComboBox::hidePopup() {
  QComboBox::hidePopup();
  combo_.Combo().CloseUp();
  Refresh();
}

void IncComboBox::focusInEvent(QFocusEvent* event) {
  combo_.Combo().Enter();
  Refresh();
  QComboBox::focusInEvent(event);
}

void IncComboBox::focusOutEvent(QFocusEvent* event) {
  combo_.Combo().Exit();
  QComboBox::focusOutEvent(event);
}

}  // namespace korvane::ui
