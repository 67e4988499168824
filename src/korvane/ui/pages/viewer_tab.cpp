#include "korvane/ui/pages/viewer_tab.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "korvane/core/app/shell.h"
#include "korvane/ui/text_codec.h"
#include "korvane/ui/viewer/log_page_view.h"
#include "korvane/ui/viewer/marker_frame.h"
#include "korvane/ui/viewer/text_page_view.h"

namespace korvane::ui {

ViewerTab::ViewerTab(Shell& shell, QWidget* parent) : QWidget(parent), shell_(shell) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("PageControlEditor");
  tabs_->setDocumentMode(true);
  layout->addWidget(tabs_);

  Viewers& viewers = shell_.Viewer();
  for (const auto& page : viewers.Pages()) AddPage(*page);
  connections_.Add(viewers.pageAdded.Connect([this](ViewerPage& page) { AddPage(page); }));
  connections_.Add(viewers.pageRemoved.Connect([this](ViewerPage& page) { RemovePage(page); }));
  connections_.Add(viewers.currentChanged.Connect([this] { ShowCurrent(); }));
  connections_.Add(viewers.fontChanged.Connect([this] { ApplyFont(); }));
  connections_.Add(viewers.findRequested.Connect([this] { ShowFindDialog(); }));
  // The close request arrives after the command that posted it has ended.
  connections_.Add(viewers.closePosted.Connect(
      [this] { QTimer::singleShot(0, this, [this] { window()->close(); }); }));
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    if (syncing_ || index < 0) return;
    shell_.Run([this, index] { shell_.Viewer().SelectPage(index); });
  });
  // A log written by a running tool is taken up every half second.
  follow_.setInterval(500);
  connect(&follow_, &QTimer::timeout, this,
          [this] { shell_.Run([this] { shell_.Viewer().RefreshFollowed(); }); });
  follow_.start();

  // The viewer's own menu.
  setContextMenuPolicy(Qt::ActionsContextMenu);
  for (const char* name : {"ActCloseTab", "ActCloseAllPages", "ActViewGeneral", "ActViewProductLog",
                           "ActViewConsoleLog", "ActViewParameters", "ActSelectFont"}) {
    auto* action = new QAction(FromLocal(shell_.Actions().Get(name).Caption()), this);
    const std::string command = name;
    connect(action, &QAction::triggered, this, [this, command] { shell_.Execute(command); });
    addAction(action);
  }
}

void ViewerTab::AddPage(ViewerPage& page) {
  QWidget* widget = nullptr;
  QAbstractScrollArea* view = nullptr;
  if (auto* marker = dynamic_cast<WrapperMarker*>(&page)) {
    auto* frame = new MarkerFrame(shell_, shell_.Actions(), *marker, nullptr);
    view = frame->SourceView();
    widget = frame;
  } else {
    view = new LogPageView(shell_, page.Document(), nullptr);
    view->setObjectName(QString::fromStdString(page.FrameName()));
    widget = view;
  }
  view->setFont(ViewerQFont(shell_.Viewer().Font()));
  widgets_[&page] = widget;
  views_[&page] = view;
  syncing_ = true;
  const int index = tabs_->addTab(widget, FromLocal(page.Caption()));
  tabs_->widget(index)->setProperty("tabName", QString::fromStdString(page.Name()));
  syncing_ = false;
  view->setFocus();
}

void ViewerTab::RemovePage(ViewerPage& page) {
  const auto it = widgets_.find(&page);
  if (it == widgets_.end()) return;
  syncing_ = true;
  tabs_->removeTab(tabs_->indexOf(it->second));
  syncing_ = false;
  it->second->hide();
  it->second->deleteLater();
  widgets_.erase(it);
  views_.erase(&page);
}

void ViewerTab::ShowCurrent() {
  const ViewerPage* page = shell_.Viewer().Current();
  if (page == nullptr) return;
  const auto it = widgets_.find(page);
  if (it == widgets_.end()) return;
  syncing_ = true;
  tabs_->setCurrentWidget(it->second);
  syncing_ = false;
  // Programmatic scrolling waits until the view has its size.
  if (QAbstractScrollArea* view = views_[page]) {
    const size_t first = page->Document().FirstVisibleLine();
    QTimer::singleShot(0, view, [view, first] {
      if (auto* text = qobject_cast<TextPageView*>(view)) text->ensureCursorVisible();
      view->verticalScrollBar()->setValue(static_cast<int>(first));
    });
  }
}

void ViewerTab::ApplyFont() {
  const QFont font = ViewerQFont(shell_.Viewer().Font());
  for (const auto& [page, view] : views_) view->setFont(font);
}

QAbstractScrollArea* ViewerTab::CurrentView() const {
  const ViewerPage* page = shell_.Viewer().Current();
  const auto it = views_.find(page);
  return it == views_.end() ? nullptr : it->second;
}

namespace {

// What the person typed, as the page may hold it: UTF-8, and the single-byte code page
// when every character has a place there.
std::vector<SearchForm> SearchForms(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  std::vector<SearchForm> forms{{std::string(utf8.constData(), utf8.size()), false}};
  const bool latin1 =
      std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 256; });
  if (latin1) {
    const std::string single = ToLatin1(text);
    if (single != forms.front().bytes) {
      forms.push_back({single, true});
    } else {
      forms.front().latin1 = true;  // plain ASCII: one form does
    }
  }
  return forms;
}

}  // namespace

// Searches forward, ignoring case, round to the top; the dialog stays open for the next
// hit, and F3 repeats it without the dialog.
void ViewerTab::ShowFindDialog() {
  QAbstractScrollArea* view = CurrentView();
  if (view == nullptr) return;
  auto* dialog = findChild<QDialog*>("FindDialog");
  if (dialog == nullptr) {
    dialog = new QDialog(this);
    dialog->setObjectName("FindDialog");
    dialog->setWindowTitle("Find");
    auto* row = new QHBoxLayout(dialog);
    auto* edit = new QLineEdit(dialog);
    edit->setObjectName("FindText");
    auto* next = new QPushButton("Find next", dialog);
    next->setDefault(true);
    row->addWidget(edit);
    row->addWidget(next);
    connect(next, &QPushButton::clicked, dialog, [this, edit] {
      const std::vector<SearchForm> forms = SearchForms(edit->text());
      if (shell_.Run([this, &forms] { shell_.Viewer().Find(forms); })) {
        if (QAbstractScrollArea* current = CurrentView()) current->setFocus();
      }
    });
  }
  const QPoint topLeft = view->mapToGlobal(QPoint(0, 0));
  dialog->move(static_cast<int>(std::lround((topLeft.x() + view->width()) / 2.0)), topLeft.y());
  dialog->show();
  dialog->raise();
}

}  // namespace korvane::ui
