#include "korvane/ui/components/inc_combo_box.h"

#include <QApplication>
#include <QKeyEvent>

#include "korvane/core/common/guarded_run.h"
#include "korvane/core/components/lists.h"
#include "korvane/ui/binders.h"
#include "korvane/ui/text_codec.h"

namespace korvane::ui {

IncComboBox::IncComboBox(CommandGate& gate, ComboBox& combo, QWidget* parent)
    : QComboBox(parent), gate_(gate), combo_(combo) {
  BindCommon(combo, this);
  ConnectionsOf(this).Add(combo.Combo().beeped.Connect([] { QApplication::beep(); }));
  ConnectionsOf(this).Add(combo.changed.Connect([this] { Refresh(); }));
  connect(this, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
    if (refreshing_) return;
    searchStart_ = kNoSearch;  // the item picked ends any search
    Apply([this, index] {
      combo_.Combo().SetItemIndex(index);
      combo_.Combo().Click();
    });
  });
  Refresh();
}

void IncComboBox::Apply(const std::function<void()>& work) {
  gate_.Run([this, &work] {
    // Also after an abort: the keys taken so far are in the model.
    try {
      work();
    } catch (...) {
      combo_.Touch();
      throw;
    }
    combo_.Touch();
  });
}

void IncComboBox::Refresh() {
  refreshing_ = true;
  const IncCombo& model = combo_.Combo();
  QStringList items;
  for (const auto& caption : model.Items()) items << FromText(caption);
  QStringList shown;
  for (int i = 0; i < count(); ++i) shown << itemText(i);
  if (shown != items) {
    clear();
    addItems(items);
  }
  setCurrentIndex(model.ItemIndex());
  const std::string search = model.SearchText();
  setToolTip(search.empty() ? FromText(model.Hint()) : "Search: " + FromText(search));
  refreshing_ = false;
}

void IncComboBox::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const QString text = event->text();
  const bool printable = text.size() == 1 && text[0].unicode() >= 0x20 && text[0].unicode() < 0x100;
  const bool handled = key == Qt::Key_Home || key == Qt::Key_End || key == Qt::Key_Return ||
                       key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Backspace ||
                       printable;
  if (!handled) {
    QComboBox::keyPressEvent(event);
    return;
  }
  Apply([this, key, text, printable] {
    IncCombo& model = combo_.Combo();
    const int before = model.ItemIndex();
    const bool searching = printable || key == Qt::Key_Backspace;
    if (searching && searchStart_ == kNoSearch) searchStart_ = before;
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
    } else if (printable) {
      model.TypeChar(static_cast<char>(text[0].unicode()));
    }
    if (searching) return;  // the search goes on with the next key
    if (searchStart_ != kNoSearch) {
      EndSearch();
    } else if (model.ItemIndex() != before && model.ItemIndex() >= 0) {
      model.Click();  // Home and End choose at once
    }
  });
}

void IncComboBox::EndSearch() {
  const int start = searchStart_;
  searchStart_ = kNoSearch;
  IncCombo& model = combo_.Combo();
  if (start != kNoSearch && model.ItemIndex() != start && model.ItemIndex() >= 0) model.Click();
}

void IncComboBox::showPopup() {
  Apply([this] { combo_.Combo().DropDown(); });
  QComboBox::showPopup();
}

void IncComboBox::hidePopup() {
  QComboBox::hidePopup();
  Apply([this] {
    combo_.Combo().CloseUp();
    EndSearch();
  });
}

void IncComboBox::focusInEvent(QFocusEvent* event) {
  Apply([this] { combo_.Combo().Enter(); });
  QComboBox::focusInEvent(event);
}

void IncComboBox::focusOutEvent(QFocusEvent* event) {
  Apply([this] {
    EndSearch();
    combo_.Combo().Exit();
  });
  QComboBox::focusOutEvent(event);
}

}  // namespace korvane::ui
