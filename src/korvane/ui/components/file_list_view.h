#pragma once
// The two file lists of the job: one line per entry with its check box, the
// file name, the wrapping type (sources only) and the origin path, in columns
// under a header. The core's line layout says what each column shows; the
// view sizes them to their content. Built on a flat model so that ten
// thousand entries scroll smoothly; accepts files dropped from the file manager.

#include <QAbstractTableModel>
#include <QTreeView>
#include <functional>
#include <string>

#include "korvane/core/common/signal.h"

namespace korvane {
class CommandGate;
class Shell;
class CheckList;
}  // namespace korvane

namespace korvane::ui {

// A check list as a Qt list model that follows the list row by row: an
// insert, a removal or a changed row costs the view only those rows, a moved
// highlight nothing here at all.
class CheckListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  // checkedByPerson runs (inside the gate) after the person changed a check
  // mark here.
  CheckListModel(CommandGate& gate, CheckList& list, std::function<void()> checkedByPerson,
                 QObject* parent);
  int rowCount(const QModelIndex& parent) const override;
  int columnCount(const QModelIndex& parent) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  CheckList& List() { return list_; }

 protected:
  // One column by default: the entry's text with its check box.
  virtual int Columns() const { return 1; }
  virtual QVariant Cell(int listRow, int column, int role) const;
  const CheckList& list() const { return list_; }

 private:
  void Inserted(size_t first, size_t count);
  void Removed(size_t first, size_t count);
  void Changed(size_t first, size_t count);
  void Reset();
  // The list's row shown at a row of the model, -1 for none: while an insert
  // or removal is being announced, the model still shows the rows as they
  // were, though the list has already changed.
  int ListRow(int row) const;

  CommandGate& gate_;
  CheckList& list_;
  std::function<void()> checkedByPerson_;
  int rows_ = 0;
  // The announcement in progress: rows from pendingFirst_ on are shifted by
  // pendingShift_ (count inserted, minus count removed).
  int pendingFirst_ = 0;
  int pendingShift_ = 0;
  ConnectionList connections_;
};

// Shows a check list's highlighted row as the view's current row; -1 or a row the
// view does not have clears it.
void ShowHighlight(QAbstractItemView& view, int row);

// A file list's columns: name (with the check box), wrapping type, origin.
class FileLinesModel : public CheckListModel {
  Q_OBJECT
 public:
  enum Column { kName, kType, kOrigin };
  FileLinesModel(Shell& shell, CheckList& list, QObject* parent);
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 protected:
  int Columns() const override { return 3; }
  QVariant Cell(int listRow, int column, int role) const override;

 private:
  Shell& shell_;
};

class FileListView : public QTreeView {
  Q_OBJECT
 public:
  // dropTarget: the name the core knows the drop place by (the list's panel).
  FileListView(Shell& shell, CheckList& list, const char* dropTarget, QWidget* parent);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void Highlight();
  void SyncSelection();
  // Sizes the name and type columns to what they hold now.
  void FitColumns();

  Shell& shell_;
  CheckList& list_;
  std::string dropTarget_;
  bool syncing_ = false;
  bool fitQueued_ = false;  // fitting waits for the burst of changes to end
  ConnectionList connections_;
};

}  // namespace korvane::ui
