#include "korvane/ui/pages/word_pages.h"

#include <QDrag>
#include <QDropEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "korvane/core/app/shell.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/form/component_names.h"
#include "korvane/ui/binders.h"
#include "korvane/ui/components/inc_combo_box.h"
#include "korvane/ui/pages/word_list_views.h"
#include "korvane/ui/text_codec.h"

namespace korvane::ui {

namespace n = names;

namespace {

// Selected text as the core takes it: lines ended by CR LF.
std::string CrLfText(QString text) {
  text.replace(QChar(0x2029), QChar('\n'));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar('\n'), QStringLiteral("\r\n"));
  return ToText(text);
}

// The word field and its panel take drops from anywhere: a control word dragged from
// the list is taken apart into type and word, any text goes to the word field up to
// its first line break.
class WordDropTarget : public QObject {
 public:
  WordDropTarget(Shell& shell, QObject* parent) : QObject(parent), shell_(shell) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!Accepts(drag->mimeData())) return false;
        drag->acceptProposedAction();
        return true;
      }
      case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QMimeData* data = drop->mimeData();
        if (!Accepts(data)) return false;
        drop->acceptProposedAction();
        if (data->hasFormat(QString::fromLatin1(kControlWordMime))) {
          shell_.Run([this] { shell_.Words().DropHighlightedWord(); });
        } else {
          shell_.Run([this, text = CrLfText(data->text())] { shell_.Words().DropText(text); });
        }
        return true;
      }
      default:
        return QObject::eventFilter(watched, event);
    }
  }

 private:
  static bool Accepts(const QMimeData* data) {
    return data->hasText() || data->hasFormat(QString::fromLatin1(kControlWordMime));
  }
  Shell& shell_;
};

// The row that makes a new control word: type box, word field and "Add to list".
QWidget* CreateRow(Shell& shell, QWidget* parent) {
  auto* panel = new QWidget(parent);
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(0, 0, 0, 0);
  auto* field = new QLineEdit(panel);
  BindEdit(shell, shell.Form().Get<EditBox>(n::kEditCreateWrdList), field);
  row->addWidget(new IncComboBox(shell, shell.Form().Get<ComboBox>(n::kComboCreateWrdList), panel));
  row->addWidget(field, 1);
  auto* add = new QPushButton(panel);
  BindButton(shell, shell.Form().Get<ButtonControl>(n::kButtonCreateWrdList), add);
  row->addWidget(add);
  auto* drops = new WordDropTarget(shell, panel);
  for (QWidget* target : {panel, static_cast<QWidget*>(field)}) {
    target->setAcceptDrops(true);
    target->installEventFilter(drops);
  }
  return panel;
}

// Pressing on the pick-up view's selection drags it at once and keeps it selected.
class PickupDrag : public QObject {
 public:
  explicit PickupDrag(QPlainTextEdit* view) : QObject(view), view_(view) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::MouseButtonPress ||
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton ||
        !view_->textCursor().hasSelection()) {
      return QObject::eventFilter(watched, event);
    }
    auto* drag = new QDrag(view_);
    auto* data = new QMimeData;
    QString text = view_->textCursor().selectedText();
    text.replace(QChar(0x2029), QChar('\n'));
    data->setText(text);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
    return true;
  }

 private:
  QPlainTextEdit* view_;
};

// Ctrl+A is "Add selected text" here: the view must not take it as select-all first.
class SelectAllGoesToTheCommand : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::SelectAll)) {
      event->ignore();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

// The source control words are picked from: its selection goes to the core as the person
// makes it, and its pop-up menu offers loading a source and taking the selection.
QPlainTextEdit* PickupView(Shell& shell, QWidget* parent) {
  auto* view = new QPlainTextEdit(parent);
  BindMemo(shell, shell.Form().Get<Memo>(n::kRichEditCTLWords), view);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  // Sources have columns: they only line up in a fixed font.
  view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  view->viewport()->installEventFilter(new PickupDrag(view));
  view->installEventFilter(new SelectAllGoesToTheCommand(view));
  QObject::connect(view, &QPlainTextEdit::selectionChanged, view, [&shell, view] {
    QString text = view->textCursor().selectedText();
    text.replace(QChar(0x2029), QStringLiteral("\r\n"));
    shell.Words().SetPickupSelection(ToText(text));
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
  layout->addWidget(CreateRow(shell, this));
  layout->addWidget(new WordListView(shell, WordListView::Kind::kControlWords, this), 1);
  layout->addWidget(PickupView(shell, this), 1);
}

ObjectsPage::ObjectsPage(Shell& shell, QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new WordListView(shell, WordListView::Kind::kObjects, this), 1);
}

}  // namespace korvane::ui
