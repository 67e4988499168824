#include "korvane/ui/pages/word_list_views.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDrag>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "korvane/core/app/shell.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/form/component_names.h"
#include "korvane/ui/binders.h"
#include "korvane/ui/components/file_list_view.h"
#include "korvane/ui/text_codec.h"

namespace korvane::ui {

namespace n = names;

namespace {

// A control word line: its type at the left, the blank and the word from a fixed
// column on, so the words of all lines start at one place.
class ControlWordDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString entry = item.text;
    item.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    const int column = item.fontMetrics.horizontalAdvance(QStringLiteral("WWWW ")) - 1;
    painter->save();
    painter->setPen(item.palette.color(QPalette::Normal, item.state & QStyle::State_Selected
                                                             ? QPalette::HighlightedText
                                                             : QPalette::Text));
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    painter->drawText(text.adjusted(2, 0, 0, 0), flags, entry.left(4));
    painter->drawText(text.adjusted(column + 2, 0, 0, 0), flags, entry.mid(4, 201));
    painter->restore();
  }

  // As wide as what paint draws, so a long word gets a horizontal scroll bar.
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const QString entry = index.data(Qt::DisplayRole).toString();
    const int column = option.fontMetrics.horizontalAdvance(QStringLiteral("WWWW ")) - 1;
    const int drawn = option.fontMetrics.horizontalAdvance(entry.mid(4, 201));
    size.setWidth(std::max(size.width(), size.height() + column + drawn + 8));
    return size;
  }
};

const char* ListName(WordListView::Kind kind) {
  return kind == WordListView::Kind::kControlWords ? n::kListControlTags : n::kListObjects;
}

}  // namespace

WordListView::WordListView(Shell& shell, Kind kind, QWidget* parent)
    : QListView(parent),
      shell_(shell),
      kind_(kind),
      list_(shell.Form().Get<CheckList>(ListName(kind))) {
  BindCommon(list_, this);
  setModel(new CheckListModel(
      shell, list_, [&shell] { shell.CurrentProject().SetModified(true); }, this));
  // Not uniform: the widest entry, not the first, decides the scrollable width.
  setUniformItemSizes(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setMouseTracking(true);  // the pointer leaving an open editor closes it
  if (kind_ == Kind::kControlWords) {
    setItemDelegate(new ControlWordDelegate(this));
    BuildControlWordPanel();
    connections_.Add(shell_.Words().WordEditor().changed.Connect([this] { Follow(); }));
  } else {
    BuildObjectField();
    connections_.Add(shell_.Words().ObjectTextEditor().changed.Connect([this] { Follow(); }));
  }

  connections_.Add(list_.selectionChanged.Connect([this] { SyncSelection(); }));
  connections_.Add(list_.reset.Connect([this] { SyncSelection(); }));
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (syncing_) return;
            const int row = current.isValid() ? current.row() : -1;
            shell_.Run([this, row] { list_.SetItemIndex(row); });
          });
  // Leaving the editor for anything else stores it, as the loss of focus should.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (!EditorOpen() || now == nullptr) return;
    QWidget* editor = Editor();
    if (editor->isAncestorOf(now) || now == editor) return;
    if (typeBox_ != nullptr && typeBox_->view()->window()->isAncestorOf(now)) return;
    Store();
  });
  SyncSelection();
}

WordListView::~WordListView() = default;

void WordListView::BuildControlWordPanel() {
  panel_ = new QFrame(viewport());
  panel_->setObjectName(QStringLiteral("PanelCWrd"));
  panel_->setFrameShape(QFrame::Box);
  auto* row = new QHBoxLayout(panel_);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  typeBox_ = new QComboBox(panel_);
  typeBox_->setObjectName(QString::fromLatin1(n::kComboEditCWrd));
  typeBox_->setEditable(true);
  typeBox_->setInsertPolicy(QComboBox::NoInsert);
  field_ = new QLineEdit(panel_);
  field_->setObjectName(QString::fromLatin1(n::kEditCWrd));
  row->addWidget(typeBox_);
  row->addWidget(field_, 1);
  for (QWidget* part : {static_cast<QWidget*>(typeBox_), static_cast<QWidget*>(field_)}) {
    part->setMinimumHeight(1);
  }
  for (QObject* keys : {static_cast<QObject*>(field_), static_cast<QObject*>(typeBox_)}) {
    keys->installEventFilter(this);
  }
  if (typeBox_->lineEdit() != nullptr) typeBox_->lineEdit()->installEventFilter(this);
  panel_->hide();
}

void WordListView::BuildObjectField() {
  field_ = new QLineEdit(viewport());
  field_->setObjectName(QString::fromLatin1(n::kEditObjects));
  field_->setMinimumHeight(1);
  field_->installEventFilter(this);
  connect(field_, &QLineEdit::textEdited, this, [this](const QString& text) {
    shell_.Run([this, typed = ToLocal(text)] { shell_.Words().ObjectTextEditor().Edit(typed); });
  });
  field_->hide();
}

QWidget* WordListView::Editor() const {
  return panel_ != nullptr ? static_cast<QWidget*>(panel_) : static_cast<QWidget*>(field_);
}

bool WordListView::EditorOpen() const {
  return kind_ == Kind::kControlWords ? shell_.Words().WordEditor().IsOpen()
                                      : shell_.Words().ObjectTextEditor().IsOpen();
}

void WordListView::Open(int row) {
  if (kind_ == Kind::kControlWords) {
    shell_.Run([this, row] { shell_.Words().WordEditor().Open(row); });
  } else {
    shell_.Run([this, row] { shell_.Words().ObjectTextEditor().Open(row); });
  }
}

void WordListView::Follow() {
  QWidget* editor = Editor();
  if (!EditorOpen()) {
    const bool hadFocus =
        editor->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == editor;
    editor->hide();
    if (hadFocus) setFocus(Qt::OtherFocusReason);
    return;
  }
  int row = 0;
  QString text;
  if (kind_ == Kind::kControlWords) {
    const ControlWordEditor& core = shell_.Words().WordEditor();
    row = core.Index();
    typeBox_->clear();
    for (const std::string& type : shell_.Form().Get<ComboBox>(n::kComboEditCWrd).Combo().Items()) {
      typeBox_->addItem(FromLocal(type));
    }
    typeBox_->setCurrentText(FromLocal(core.Type()));
    text = FromLocal(core.Word());
  } else {
    row = shell_.Words().ObjectTextEditor().Index();
    text = FromLocal(shell_.Words().ObjectTextEditor().Text());
  }
  field_->setText(text);

  const QRect line = visualRect(model()->index(row, 0));
  const int left = line.left() + line.height();  // right of the check box
  int width = field_->fontMetrics().horizontalAdvance(text) + 10;
  if (typeBox_ != nullptr) width += typeBox_->sizeHint().width();
  width = std::max(
      width, field_->minimumSizeHint().width() + (typeBox_ ? typeBox_->sizeHint().width() : 0));
  // Opened by the mouse: reach the pointer, so the first move does not close it again.
  if (!pressedAt_.isNull() && line.contains(pressedAt_)) {
    width = std::max(width, pressedAt_.x() - left + 10);
  }
  width = std::min(width, std::max(viewport()->width() - left, 40));
  // The editor keeps to its row: a taller one would hide the neighbours being read.
  const int height = line.height();
  editor->setGeometry(left, line.center().y() - height / 2, width, height);
  editor->show();
  editor->raise();
  field_->setFocus(Qt::OtherFocusReason);
  field_->end(false);
}

void WordListView::Store() {
  if (!EditorOpen()) return;
  if (kind_ == Kind::kControlWords) {
    shell_.Run([this, type = ToLocal(typeBox_->currentText()), word = ToLocal(field_->text())] {
      ControlWordEditor& core = shell_.Words().WordEditor();
      core.SetType(type);
      core.SetWord(word);
      core.Store();
    });
  } else {
    shell_.Run([this] { shell_.Words().ObjectTextEditor().Store(); });
  }
}

void WordListView::Cancel() {
  if (!EditorOpen()) return;
  if (kind_ == Kind::kControlWords) {
    shell_.Run([this] { shell_.Words().WordEditor().Cancel(); });
  } else {
    shell_.Run([this] { shell_.Words().ObjectTextEditor().Cancel(); });
  }
}

bool WordListView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QListView::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    Store();
  } else if (key == Qt::Key_Escape) {
    Cancel();
  } else {
    return QListView::eventFilter(watched, event);
  }
  setFocus(Qt::OtherFocusReason);
  return true;  // the key ends here
}

QRect WordListView::EditorArea() const {
  return Editor()->geometry().adjusted(0, -5, 5, 5);
}

void WordListView::SyncSelection() {
  syncing_ = true;
  ShowHighlight(*this, list_.ItemIndex());
  syncing_ = false;
}

void WordListView::mousePressEvent(QMouseEvent* event) {
  // A right click gives the list the focus, so the popup's actions find it.
  if (event->button() == Qt::RightButton) setFocus(Qt::MouseFocusReason);
  pressedAt_ = event->position().toPoint();
  dragArmed_ = kind_ == Kind::kControlWords && event->button() == Qt::LeftButton &&
               indexAt(pressedAt_).isValid();
  QListView::mousePressEvent(event);
}

void WordListView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (EditorOpen() && !EditorArea().contains(at)) Store();
  if (dragArmed_ && (event->buttons() & Qt::LeftButton) &&
      (at - pressedAt_).manhattanLength() >= QApplication::startDragDistance()) {
    dragArmed_ = false;
    pressedAt_ = {};
    auto* drag = new QDrag(this);
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kControlWordMime), QByteArray());
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
    return;
  }
  QListView::mouseMoveEvent(event);
}

void WordListView::mouseReleaseEvent(QMouseEvent* event) {
  QListView::mouseReleaseEvent(event);
  dragArmed_ = false;
  const QModelIndex index = indexAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && index.isValid() &&
      event->position().x() > visualRect(index).height()) {
    Open(index.row());
  }
  pressedAt_ = {};
}

void WordListView::mouseDoubleClickEvent(QMouseEvent* event) {
  QListView::mouseDoubleClickEvent(event);
  shell_.Run([this, name = list_.Name()] { shell_.Sources().Checks().ToggleSelect(name); });
}

void WordListView::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && list_.ItemIndex() >= 0) {
    Open(list_.ItemIndex());
    return;
  }
  QListView::keyPressEvent(event);
}

void WordListView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.setToolTipsVisible(true);
  for (const char* name : {"ActRemoveFiles", "ActToggleSelect", "ActSelectAll", "ActUnselectAll",
                           "ActRemoveDuplicates"}) {
    Action& action = shell_.Actions().Get(name);
    QAction* item = menu.addAction(FromLocal(action.Caption()));
    item->setEnabled(action.Usable());
    item->setToolTip(FromLocal(action.Unavailable()));
    connect(item, &QAction::triggered, this, [this, name] { shell_.Execute(name); });
  }
  menu.exec(event->globalPos());
}

}  // namespace korvane::ui
