#include "korvane/ui/components/file_list_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <algorithm>

#include "korvane/core/app/shell.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/form/component_names.h"
#include "korvane/ui/drop_paths.h"
#include "korvane/ui/text_codec.h"

namespace korvane::ui {

namespace n = names;

CheckListModel::CheckListModel(CommandGate& gate, CheckList& list,
                               std::function<void()> checkedByPerson, QObject* parent)
    : QAbstractTableModel(parent),
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
  emit dataChanged(index(row, 0), index(row + static_cast<int>(count) - 1, Columns() - 1));
}

void CheckListModel::Reset() {
  beginResetModel();
  rows_ = static_cast<int>(list_.Items().size());
  endResetModel();
}

int CheckListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int CheckListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : Columns();
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
  if (role == Qt::CheckStateRole && index.column() == 0) {
    return list_.Items()[static_cast<size_t>(row)].checked ? Qt::Checked : Qt::Unchecked;
  }
  return Cell(row, index.column(), role);
}

QVariant CheckListModel::Cell(int listRow, int column, int role) const {
  if (column != 0 || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
  return FromLocal(list_.Items()[static_cast<size_t>(listRow)].text);
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
  if (index.column() == 0 && list_.Items()[static_cast<size_t>(row)].enabled) {
    flags |= Qt::ItemIsUserCheckable;
  }
  return flags;
}

FileLinesModel::FileLinesModel(Shell& shell, CheckList& list, QObject* parent)
    : CheckListModel(
          shell, list, [&shell] { shell.CurrentProject().SetModified(true); }, parent),
      shell_(shell) {}

QVariant FileLinesModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case kName:
      return tr("Name");
    case kType:
      return tr("Wrapping type");
    case kOrigin:
      return tr("Origin");
    default:
      return {};
  }
}

QVariant FileLinesModel::Cell(int listRow, int column, int role) const {
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  const auto line = shell_.Sources().LayoutOf(list(), listRow);
  switch (column) {
    case kName:
      return FromLocal(line.name);
    case kType:
      return FromLocal(line.typeCaption);
    case kOrigin:
      return FromLocal(line.path);  // elided on screen; the tooltip has it whole
    default:
      return {};
  }
}

FileListView::FileListView(Shell& shell, CheckList& list, const char* dropTarget, QWidget* parent)
    : QTreeView(parent), shell_(shell), list_(list), dropTarget_(dropTarget) {
  setObjectName(QString::fromStdString(list.Name()));
  setModel(new FileLinesModel(shell, list, this));
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setTextElideMode(Qt::ElideMiddle);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setAcceptDrops(true);
  setDropIndicatorShown(false);
  header()->setStretchLastSection(true);
  header()->setSectionResizeMode(QHeaderView::Interactive);
  // Fitting looks at this many rows, so a list of ten thousand fits at once.
  header()->setResizeContentsPrecision(500);
  // Only sources have a wrapping type.
  setColumnHidden(FileLinesModel::kType, !shell.Sources().LayoutOf(list, -1).hasType);

  // After the model's own reset handling (connected first): a reset loses
  // the view's current row.
  connections_.Add(list.selectionChanged.Connect([this] { SyncSelection(); }));
  connections_.Add(list.reset.Connect([this] {
    SyncSelection();
    FitColumns();
  }));
  connect(model(), &QAbstractItemModel::rowsInserted, this, [this] { FitColumns(); });
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (syncing_) return;
            const int row = current.isValid() ? current.row() : -1;
            shell_.Run([this, row] { list_.SetItemIndex(row); });
            Highlight();
          });
  SyncSelection();
  FitColumns();
}

void FileListView::FitColumns() {
  // Columns only grow to fit: a width the person chose keeps unless the content needs more.
  if (fitQueued_) return;
  fitQueued_ = true;
  QTimer::singleShot(0, this, [this] {
    fitQueued_ = false;
    for (int column : {FileLinesModel::kName, FileLinesModel::kType}) {
      if (isColumnHidden(column)) continue;
      const int wanted = std::max(sizeHintForColumn(column), header()->sectionSizeHint(column));
      if (wanted > columnWidth(column)) setColumnWidth(column, wanted + 12);
    }
  });
}

void ShowHighlight(QAbstractItemView& view, int row) {
  if (row >= 0 && row < view.model()->rowCount()) {
    view.setCurrentIndex(view.model()->index(row, 0));
  } else {
    view.clearSelection();
    view.setCurrentIndex({});
  }
}

void FileListView::SyncSelection() {
  syncing_ = true;
  ShowHighlight(*this, list_.ItemIndex());
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
  QTreeView::mousePressEvent(event);
}

void FileListView::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeView::mouseDoubleClickEvent(event);
  const std::string name = list_.Name();
  shell_.Run([this, name] { shell_.Sources().Checks().ToggleSelect(name); });
}

void FileListView::keyReleaseEvent(QKeyEvent* event) {
  QTreeView::keyReleaseEvent(event);
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
  menu.setToolTipsVisible(true);
  for (const char* name :
       {"ActToggleSelect", "ActSelectAll", "ActUnselectAll", "ActRemoveFiles",
        "ActRemoveDuplicates", n::kActWrapTypeOnl, n::kActWrapTypeFile, n::kActWrapTypeModule,
        n::kActWrapTypeProc, n::kActApplyToAll, n::kActApplyToChecked, n::kActMarkToBeWrapped}) {
    Action& action = shell_.Actions().Get(name);
    if (!action.Visible()) continue;
    QAction* item = menu.addAction(FromLocal(action.Caption()));
    item->setEnabled(action.Usable());
    item->setToolTip(FromLocal(action.Unavailable()));
    const std::string actionName = name;
    connect(item, &QAction::triggered, [this, actionName] { shell_.Execute(actionName); });
  }
  menu.exec(event->globalPos());
}

}  // namespace korvane::ui
