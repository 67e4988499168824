#include "korvane/ui/viewer/marker_frame.h"

#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "korvane/ui/binders.h"
#include "korvane/ui/text_codec.h"
#include "korvane/ui/viewer/text_page_view.h"

namespace korvane::ui {

namespace a = marker_actions;

LabelListWidget::LabelListWidget(CommandGate& gate, WrapperMarker& marker, QWidget* parent)
    : QListWidget(parent), gate_(gate), marker_(marker) {
  setObjectName("CheckListBoxLabels");
  setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DropOnly);
}

void LabelListWidget::dragEnterEvent(QDragEnterEvent* event) {
  event->acceptProposedAction();
}

void LabelListWidget::dragMoveEvent(QDragMoveEvent* event) {
  event->acceptProposedAction();
}

void LabelListWidget::dropEvent(QDropEvent* event) {
  gate_.Run([this] { marker_.DropOnLabels(); });
  event->acceptProposedAction();
}

MarkerFrame::MarkerFrame(CommandGate& gate, ActionList& mainActions, WrapperMarker& marker,
                         QWidget* parent)
    : QWidget(parent), gate_(gate), marker_(marker) {
  setObjectName(QString::fromStdString(marker.FrameName()));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);

  // A tool bar, not a row of buttons: when the window is narrow it folds the last
  // commands into its extension menu instead of widening the window.
  auto* buttons = new QToolBar(this);
  buttons->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const char* name : {a::kSavePage, a::kMark, a::kUnMark, a::kFindNextFD, a::kFindNextSection,
                           a::kResetMarking, a::kSaveAndClose}) {
    // A hidden command hides its button too (the navigation of other languages).
    buttons->addAction(PageAction(name));
  }
  auto* stretch = new QWidget(buttons);
  stretch->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  buttons->addWidget(stretch);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("BitBtnCancelEdit");
  connect(cancel, &QPushButton::clicked, this, [this] { gate_.Run([this] { marker_.Cancel(); }); });
  buttons->addWidget(cancel);
  buttons->addAction(PageAction(a::kClosePage));
  layout->addWidget(buttons);

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  view_ = new TextPageView(gate, marker.Document(), true, splitter);
  view_->setObjectName("RichEditSourceView");
  splitter->addWidget(view_);
  auto* side = new QWidget(splitter);
  auto* sideLayout = new QVBoxLayout(side);
  sideLayout->setContentsMargins(0, 0, 0, 0);
  sideLayout->addWidget(new QLabel("Marked labels", side));
  labels_ = new LabelListWidget(gate, marker, side);
  sideLayout->addWidget(labels_, 3);
  sideLayout->addWidget(new QLabel("Unresolved copies", side));
  unresolved_ = new QPlainTextEdit(side);
  unresolved_->setObjectName("MemoUnresolvedCopies");
  unresolved_->setReadOnly(true);
  sideLayout->addWidget(unresolved_, 1);
  splitter->addWidget(side);
  splitter->setStretchFactor(0, 4);
  splitter->setStretchFactor(1, 1);
  layout->addWidget(splitter, 1);

  // The source view's menu; the find command is the main window's.
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view_, &QWidget::customContextMenuRequested, this, [this, &mainActions](QPoint at) {
    QMenu menu(view_);
    for (const char* name :
         {a::kMark, a::kUnMark, a::kSaveAndClose, a::kSavePage, a::kClosePage, a::kResetMarking}) {
      menu.addAction(PageAction(name));
    }
    auto* find = menu.addAction("&Find text ");
    connect(find, &QAction::triggered, this,
            [this, &mainActions] { gate_.Execute(mainActions.Get("ActFindText").Name()); });
    menu.addAction(PageAction(a::kFindNextFD));
    menu.addAction(PageAction(a::kFindNextSection));
    menu.exec(view_->mapToGlobal(at));
  });

  ShowLabels();
  ShowUnresolved();
  connections_.Add(marker.labelsChanged.Connect([this] { ShowLabels(); }));
  connections_.Add(marker.unresolvedChanged.Connect([this] { ShowUnresolved(); }));
}

// One QAction per marker command, shared by the buttons and the menu.
QAction* MarkerFrame::PageAction(const char* name) {
  const QString objectName = QString::fromLatin1(name);
  if (auto* existing = findChild<QAction*>(objectName, Qt::FindDirectChildrenOnly)) return existing;
  Action& action = marker_.Actions().Get(name);
  auto* qaction = new QAction(this);
  qaction->setObjectName(objectName);
  auto apply = [&action, qaction] {
    QString caption = FromLocal(action.Caption());
    qaction->setText(caption);
    qaction->setVisible(action.Visible());
    qaction->setEnabled(action.Enabled());
    // Ctrl+S and Ctrl+F4 stay with the main window's save and close commands.
    const std::string& keys = action.Shortcut();
    if (keys != "Ctrl+S" && keys != "Ctrl+F4")
      qaction->setShortcut(QKeySequence(QString::fromStdString(keys)));
  };
  apply();
  qaction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  addAction(qaction);
  ConnectionsOf(qaction).Add(action.changed.Connect(apply));
  connect(qaction, &QAction::triggered, this,
          [this, &action] { gate_.Run([&action] { action.Invoke(); }); });
  return qaction;
}

void MarkerFrame::ShowLabels() {
  labels_->clear();
  for (const std::string& label : marker_.Labels()) {
    auto* item = new QListWidgetItem(FromText(label), labels_);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
  }
}

void MarkerFrame::ShowUnresolved() {
  QStringList lines;
  for (const std::string& name : marker_.Unresolved()) lines << FromText(name);
  unresolved_->setPlainText(lines.join('\n'));
}

}  // namespace korvane::ui
