#include "korvane/ui/components/file_list_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>

#include "korvane/core/app/shell.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/form/component_names.h"
#include "korvane/ui/drop_paths.h"
#include "korvane/ui/text_codec.h"

namespace korvane::ui {

namespace n = names;

CheckListModel::CheckListModel(CommandGate& gate, CheckList& list,
                               std::function<void()> checkedByPerson, QObject* parent)
    : QAbstractListModel(parent),
      gate_(gate),
      list_(list),
      checkedByPerson_(std::move(checkedByPerson)),
      rows_(static_cast<int>(list.Items().size())) {
  connections_.Add(list_.rowsInserted.Connect([this](size_t f, size_t n) { Inserted(f, n); }));
  connections_.Add(list_.rowsRemoved.Connect([this](size_t f, size_t n) { Removed(f, n); }));
  connections_.Add(list_.rowsChanged.Connect([this](size_t f, size_t n) { Changed(f, n); }));
  connections_.Add(list_.reset.Connect([this] { Reset(); }));
}

void CheckListModel::Inserted(size_t first, size_t count) {
  if (count == 0) return;
  if (first > static_cast<size_t>(rows_)) return Reset();
  const int row = static_cast<int>(first);
  const int n = static_cast<int>(count);
  pendingFirst_ = row;
  pendingShift_ = n;
  beginInsertRows({}, row, row + n - 1);
  pendingShift_ = 0;
  rows_ += n;
  endInsertRows();
}

void CheckListModel::Removed(size_t first, size_t count) {
  if (count == 0) return;
  if (first + count > static_cast<size_t>(rows_)) return Reset();
  const int row = static_cast<int>(first);
  const int n = static_cast<int>(count);
  pendingFirst_ = row;
  pendingShift_ = -n;
  beginRemoveRows({}, row, row + n - 1);
  pendingShift_ = 0;
  rows_ -= n;
  endRemoveRows();
}

void CheckListModel::Changed(size_t first, size_t count) {
  if (count == 0) return;
  if (first + count > static_cast<size_t>(rows_)) return Reset();
  const int row = static_cast<int>(first);
  emit dataChanged(index(row), index(row + static_cast<int>(count) - 1));
}

void CheckListModel::Reset() {
  beginResetModel();
  rows_ = static_cast<int>(list_.Items().size());
  endResetModel();
}

int CheckListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int CheckListModel::ListRow(int row) const {
  if (row < 0 || row >= rows_) return -1;
  if (pendingShift_ != 0 && row >= pendingFirst_) {
    // Rows being removed are gone from the list already.
    if (pendingShift_ < 0 && row < pendingFirst_ - pendingShift_) return -1;
    row += pendingShift_;
  }
  return row < static_cast<int>(list_.Items().size()) ? row : -1;
}

QVariant CheckListModel::data(const QModelIndex& index, int role) const {
  const int row = index.isValid() ? ListRow(index.row()) : -1;
  if (row < 0) return {};
  const CheckListItem& item = list_.Items()[static_cast<size_t>(row)];
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return FromLocal(item.text);
  if (role == Qt::CheckStateRole) return item.checked ? Qt::Checked : Qt::Unchecked;
  return {};
}

bool CheckListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::CheckStateRole || !index.isValid()) return false;
  const auto row = static_cast<size_t>(index.row());
  const bool checked = value.toInt() == Qt::Checked;
  bool done = false;
  gate_.Run([this, row, checked, &done] {
    if (row >= list_.Items().size() || !list_.Items()[row].enabled) return;
    list_.SetChecked(row, checked);
    if (checkedByPerson_) checkedByPerson_();
    done = true;
  });
  return done;
}

Qt::ItemFlags CheckListModel::flags(const QModelIndex& index) const {
  const int row = index.isValid() ? ListRow(index.row()) : -1;
  if (row < 0) return Qt::NoItemFlags;
  // A disabled entry can still be highlighted (to give it a type) but not checked.
  Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  if (list_.Items()[static_cast<size_t>(row)].enabled) flags |= Qt::ItemIsUserCheckable;
  return flags;
}

FileLineDelegate::FileLineDelegate(Shell& shell, CheckList& list, QObject* parent)
    : QStyledItemDelegate(parent), shell_(shell), list_(list) {}

void FileLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  const int row = index.row();
  if (row < 0 || row >= static_cast<int>(list_.Items().size())) return;
  const CheckListItem& item = list_.Items()[static_cast<size_t>(row)];
  const auto line = shell_.Sources().LayoutOf(list_, row);

  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  const QWidget* widget = option.widget;
  QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
  opt.text.clear();
  style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);

  // The check box, then the columns after it.
  QStyleOptionButton box;
  const int boxSize = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget);
  box.rect =
      QRect(option.rect.left() + 2, option.rect.center().y() - boxSize / 2, boxSize, boxSize);
  box.state = (item.checked ? QStyle::State_On : QStyle::State_Off) |
              (item.enabled ? QStyle::State_Enabled : QStyle::State_None);
  style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);

  painter->save();
  const bool selected = (option.state & QStyle::State_Selected) != 0;
  QColor text = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
  if (!item.enabled) text = option.palette.color(QPalette::Disabled, QPalette::Text);
  painter->setPen(text);
  const int left = option.rect.left() + boxSize + 6;
  const int top = option.rect.top();
  const int height = option.rect.height();
  auto draw = [&](int x, const std::string& s) {
    painter->drawText(QRect(left + x, top, 100000, height), Qt::AlignVCenter | Qt::AlignLeft,
                      FromLocal(s));
  };
  draw(line.nameX, line.name);
  if (!line.typeCaption.empty()) draw(line.typeX, line.typeCaption);
  draw(line.pathX, line.path);
  painter->restore();
}

FileListView::FileListView(Shell& shell, CheckList& list, const char* dropTarget, QWidget* parent)
    : QListView(parent), shell_(shell), list_(list), dropTarget_(dropTarget) {
  setObjectName(QString::fromStdString(list.Name()));
  setModel(new CheckListModel(
      shell, list, [&shell] { shell.CurrentProject().SetModified(true); }, this));
  setItemDelegate(new FileLineDelegate(shell, list, this));
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setAcceptDrops(true);
  setDropIndicatorShown(false);

  // After the model's own reset handling (connected first): a reset loses
  // the view's current row.
  connections_.Add(list.selectionChanged.Connect([this] { SyncSelection(); }));
  connections_.Add(list.reset.Connect([this] { SyncSelection(); }));
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (syncing_) return;
            const int row = current.isValid() ? current.row() : -1;
            shell_.Run([this, row] { list_.SetItemIndex(row); });
            Highlight();
          });
  SyncSelection();
}

void FileListView::SyncSelection() {
  syncing_ = true;
  const int row = list_.ItemIndex();
  if (row >= 0 && row < model()->rowCount()) {
    setCurrentIndex(model()->index(row, 0));
  } else {
    clearSelection();
  }
  syncing_ = false;
}

// A highlighted source shows (or receives) its wrapping type.
void FileListView::Highlight() {
  if (list_.Name() != n::kListSources || list_.ItemIndex() < 0) return;
  const int row = list_.ItemIndex();
  shell_.Run([this, row] { shell_.Sources().Types().HighlightSource(row); });
}

void FileListView::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void FileListView::dragMoveEvent(QDragMoveEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void FileListView::dropEvent(QDropEvent* event) {
  const std::vector<std::string> paths = DroppedPaths(event->mimeData());
  event->acceptProposedAction();
  shell_.Run([this, &paths] { shell_.Sources().Adding().DropFiles(dropTarget_, paths); });
}

void FileListView::mousePressEvent(QMouseEvent* event) {
  // A right click gives the list the focus, so the popup's actions find it.
  if (event->button() == Qt::RightButton) setFocus(Qt::MouseFocusReason);
  QListView::mousePressEvent(event);
}

void FileListView::mouseDoubleClickEvent(QMouseEvent* event) {
  QListView::mouseDoubleClickEvent(event);
  const std::string name = list_.Name();
  shell_.Run([this, name] { shell_.Sources().Checks().ToggleSelect(name); });
}

void FileListView::keyReleaseEvent(QKeyEvent* event) {
  QListView::keyReleaseEvent(event);
  switch (event->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
      Highlight();
      break;
    default:
      break;
  }
}

void FileListView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  for (const char* name :
       {"ActToggleSelect", "ActSelectAll", "ActUnselectAll", "ActRemoveFiles",
        "ActRemoveDuplicates", n::kActWrapTypeOnl, n::kActWrapTypeFile, n::kActWrapTypeModule,
        n::kActWrapTypeProc, n::kActApplyToAll, n::kActApplyToChecked, n::kActMarkToBeWrapped}) {
    Action& action = shell_.Actions().Get(name);
    if (!action.Visible()) continue;
    QAction* item = menu.addAction(FromLocal(action.Caption()));
    item->setEnabled(action.Enabled());
    const std::string actionName = name;
    connect(item, &QAction::triggered, [this, actionName] { shell_.Execute(actionName); });
  }
  menu.exec(event->globalPos());
}

}  // namespace korvane::ui
