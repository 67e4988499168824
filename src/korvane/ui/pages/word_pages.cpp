#include "korvane/ui/pages/word_pages.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "korvane/core/app/shell.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/form/component_names.h"
#include "korvane/ui/binders.h"
#include "korvane/ui/components/file_list_view.h"
#include "korvane/ui/components/inc_combo_box.h"
#include "korvane/ui/text_codec.h"

namespace korvane::ui {

namespace n = names;

namespace {

QListView* WordList(Shell& shell, const char* name, QWidget* parent) {
  auto* view = new QListView(parent);
  CheckList& list = shell.Form().Get<CheckList>(name);
  BindCommon(list, view);
  view->setModel(new CheckListModel(
      shell, list, [&shell] { shell.CurrentProject().SetModified(true); }, view));
  view->setUniformItemSizes(true);
  return view;
}

// An edit box with its type combo on one row.
QHBoxLayout* WordRow(Shell& shell, const char* edit, const char* combo, QWidget* parent) {
  auto* row = new QHBoxLayout();
  auto* field = new QLineEdit(parent);
  BindEdit(shell, shell.Form().Get<EditBox>(edit), field);
  row->addWidget(new IncComboBox(shell, shell.Form().Get<ComboBox>(combo), parent));
  row->addWidget(field, 1);
  return row;
}

// The source control words are picked from: its selection goes to the core as the person
// makes it, and its pop-up menu offers loading a source and taking the selection.
QPlainTextEdit* PickupView(Shell& shell, QWidget* parent) {
  auto* view = new QPlainTextEdit(parent);
  BindMemo(shell, shell.Form().Get<Memo>(n::kRichEditCTLWords), view);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  QObject::connect(view, &QPlainTextEdit::selectionChanged, view, [&shell, view] {
    QString text = view->textCursor().selectedText();
    text.replace(QChar(0x2029), QStringLiteral("\r\n"));
    shell.Words().SetPickupSelection(ToLatin1(text));
  });
  view->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(view, &QWidget::customContextMenuRequested, view, [view](const QPoint& at) {
    QMenu menu(view);
    for (const char* name : {"ActLoadTextFile", "ActAddSelectedToList"}) {
      if (auto* action = view->window()->findChild<QAction*>(name)) menu.addAction(action);
    }
    if (!menu.isEmpty()) menu.exec(view->mapToGlobal(at));
  });
  return view;
}

}  // namespace

WordListPage::WordListPage(Shell& shell, QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  auto* create = WordRow(shell, n::kEditCreateWrdList, n::kComboCreateWrdList, this);
  auto* add = new QPushButton(this);
  BindButton(shell, shell.Form().Get<ButtonControl>(n::kButtonCreateWrdList), add);
  create->addWidget(add);
  layout->addLayout(create);
  layout->addWidget(WordList(shell, n::kListControlTags, this), 1);
  layout->addLayout(WordRow(shell, n::kEditCWrd, n::kComboEditCWrd, this));
  layout->addWidget(PickupView(shell, this), 1);
}

ObjectsPage::ObjectsPage(Shell& shell, QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(WordList(shell, n::kListObjects, this), 1);
  auto* edit = new QLineEdit(this);
  BindEdit(shell, shell.Form().Get<EditBox>(n::kEditObjects), edit);
  layout->addWidget(edit);
}

}  // namespace korvane::ui
