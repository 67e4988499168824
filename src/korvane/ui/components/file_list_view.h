#pragma once
// The two file lists of the job: one line per entry with its check box, the
// file name, the wrapping type (sources only) and the origin path in columns
// laid out by the core. Built on a list model so that ten thousand entries
// scroll smoothly; accepts files dropped from the file manager.

#include <QAbstractListModel>
#include <QListView>
#include <QStyledItemDelegate>
#include <functional>
#include <string>

#include "korvane/core/components/signal.h"

namespace korvane {
class CommandGate;
class Shell;
class CheckList;
}  // namespace korvane

namespace korvane::ui {

// A check list as a Qt list model that follows the list row by row: an
// insert, a removal or a changed row costs the view only those rows, a moved
// highlight nothing here at all.
class CheckListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  // checkedByPerson runs (inside the gate) after the person changed a check
  // mark here.
  CheckListModel(CommandGate& gate, CheckList& list, std::function<void()> checkedByPerson,
                 QObject* parent);
  int rowCount(const QModelIndex& parent) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  CheckList& List() { return list_; }

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

class FileLineDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  FileLineDelegate(Shell& shell, CheckList& list, QObject* parent);
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  Shell& shell_;
  CheckList& list_;
};

class FileListView : public QListView {
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

  Shell& shell_;
  CheckList& list_;
  std::string dropTarget_;
  bool syncing_ = false;
  ConnectionList connections_;
};

}  // namespace korvane::ui
