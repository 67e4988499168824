#include "korvane/ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabWidget>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <map>
#include <set>

#include "korvane/core/app/shell.h"
#include "korvane/core/form/component_names.h"
#include "korvane/ui/about_dialog.h"
#include "korvane/ui/binders.h"
#include "korvane/ui/drop_paths.h"
#include "korvane/ui/page_tabs.h"
#include "korvane/ui/pages/language_page.h"
#include "korvane/ui/pages/names_page.h"
#include "korvane/ui/pages/technical_page.h"
#include "korvane/ui/pages/viewer_tab.h"
#include "korvane/ui/pages/word_pages.h"
#include "korvane/ui/qt_dispatcher.h"
#include "korvane/ui/status_bar_widget.h"
#include "korvane/ui/text_codec.h"

namespace korvane::ui {

namespace n = names;

namespace {

constexpr int kConsoleLinesShown = 2000;

// Menu titles per action category, in the order the menus appear.
const std::vector<std::pair<std::string, QString>>& MenuTitles() {
  static const std::vector<std::pair<std::string, QString>> titles = {
      {"File", "&Job"},           {"Sources", "&Sources"},     {"Preparation", "&Preparation"},
      {"WordList", "&Word list"}, {"Technical", "&Technical"}, {"View", "&View"},
      {"Help", "&Help"}};
  return titles;
}

}  // namespace

MainWindow::MainWindow(Shell& shell) : shell_(shell) {
  setObjectName(n::kForm);
  setAcceptDrops(true);
  resize(1000, 720);
  BuildMenus();
  setCentralWidget(BuildCentral());
  connections_.Add(shell_.windowChanged.Connect([this] { RefreshWindowState(); }));
  connections_.Add(shell_.closeRequested.Connect([this] { close(); }));
  connections_.Add(shell_.Form().componentRemoved.Connect(
      [this](Component& component) { DropWidgetsOf(component.Name()); }));
  // The core asks which list a command is for by the focused control's name.
  focusWatch_ =
      QObject::connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        shell_.Form().SetFocused(now != nullptr ? ToLocal(now->objectName()) : std::string());
      });
  shell_.Sources().SetTextMeasure(&listMeasure_);
  // The watcher of a run reports through the event loop, and the copy loop of a
  // preparation runs on it in steps. The dispatcher holds nothing, so one for the
  // program's life outlives every shell.
  static QtDispatcher dispatcher;
  shell_.SetDispatcher(dispatcher);
  RefreshWindowState();
}

MainWindow::~MainWindow() {
  QObject::disconnect(focusWatch_);
}

void MainWindow::BuildMenus() {
  std::map<std::string, QMenu*> menus;
  for (const auto& [category, title] : MenuTitles()) {
    QMenu* menu = menuBar()->addMenu(title);
    menu->setToolTipsVisible(true);  // a greyed command says why
    menus[category] = menu;
  }
  QToolBar* toolBar = addToolBar("Main");
  toolBar->setObjectName("ToolBarMain");
  for (const auto& action : shell_.Actions().All()) {
    auto* qaction = new QAction(this);
    BindAction(shell_, *action, qaction);
    auto it = menus.find(action->Category());
    if (it == menus.end())
      it = menus.emplace(action->Category(), menuBar()->addMenu(FromLocal(action->Category())))
               .first;
    it->second->addAction(qaction);
    static const std::set<std::string> kToolBarActions = {
        n::kActNewProject, n::kActOpenProject, n::kActSaveProject, n::kActRunWrap, n::kActCloseAll};
    if (kToolBarActions.count(action->Name()) != 0) toolBar->addAction(qaction);
  }
  // A menu whose every command is hidden (the preparation commands without their
  // switch) goes from the menu bar, and comes back when one is shown again.
  for (const auto& [category, menu] : menus) {
    QMenu* const m = menu;
    const auto update = [m] {
      const QList<QAction*> entries = m->actions();
      m->menuAction()->setVisible(std::any_of(entries.begin(), entries.end(), [](QAction* a) {
        return a->isVisible() && !a->isSeparator();
      }));
    };
    for (QAction* entry : m->actions()) QObject::connect(entry, &QAction::changed, m, update);
    update();
  }
}

QWidget* MainWindow::BuildCentral() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(4, 4, 4, 0);

  statusBar_ = new StatusBarWidget(shell_, central);

  auto* tabs = new QTabWidget(central);
  PageTabs::Bind(shell_, shell_.Form(), shell_.Form().Get<PageControl>(n::kPageControlMain), tabs,
                 {{n::kPageLanguages, new LanguagePage(shell_, nullptr)},
                  {n::kPageNames, new NamesPage(shell_, nullptr)},
                  {n::kPageTechnical, new TechnicalPage(shell_, nullptr)},
                  {n::kPageWordScan, new WordListPage(shell_, nullptr)},
                  {n::kPageObjects, new ObjectsPage(shell_, nullptr)},
                  {n::kPageViewer, new ViewerTab(shell_, nullptr)}});
  layout->addWidget(tabs, 1);

  auto* console = new QPlainTextEdit(central);
  console->setMaximumHeight(140);
  console->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // The whole console goes to Console.log; the view keeps its last lines only, so that a
  // tool writing a million lines neither stalls the window nor fills the memory.
  console->setMaximumBlockCount(kConsoleLinesShown);
  BindMemo(shell_, shell_.Form().Get<Memo>(n::kMemoCaptureConsole), console);
  layout->addWidget(console);

  layout->addWidget(statusBar_);
  return central;
}

// The widgets of a component that left the form go with it. Their callbacks
// name the component, so none may run again; the widgets are deleted later,
// as the one whose event is being handled may be among them.
void MainWindow::DropWidgetsOf(const std::string& name) {
  for (QWidget* widget : findChildren<QWidget*>(QString::fromStdString(name))) {
    for (QObject* child : widget->findChildren<QObject*>()) child->disconnect();
    widget->disconnect();
    widget->hide();
    widget->deleteLater();
  }
}

void MainWindow::RefreshWindowState() {
  setWindowTitle(FromLocal(shell_.Caption()));
  menuBar()->setVisible(!shell_.MainMenuEmpty());
  for (QToolBar* bar : findChildren<QToolBar*>()) bar->setVisible(!shell_.MainMenuEmpty());
  // The message bar sits at the top edge when the configuration asks for it.
  if (auto* layout = qobject_cast<QVBoxLayout*>(centralWidget()->layout())) {
    layout->removeWidget(statusBar_);
    if (shell_.Flags().messagesOnTop) {
      layout->insertWidget(0, statusBar_);
    } else {
      layout->addWidget(statusBar_);
    }
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  bool mayClose = false;
  shell_.Run([this, &mayClose] { mayClose = shell_.CloseQuery(); });
  if (mayClose) {
    event->accept();
  } else {
    event->ignore();
  }
}

void MainWindow::hideEvent(QHideEvent* event) {
  const int w = width();
  const int h = height();
  shell_.Run([this, w, h] { shell_.WindowHidden(w, h); });
  QMainWindow::hideEvent(event);
}

void MainWindow::ApplyStoredSettings() {
  if (const auto size = shell_.StoredWindowSize()) resize(size->first, size->second);
  FitToWorkArea();
}

// Keeps the window inside the desktop's work area, as it was left there.
void MainWindow::FitToWorkArea() {
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  setMaximumSize(area.width(), area.height());
  QRect frame = geometry();
  frame.setWidth(std::min(frame.width(), area.width()));
  frame.setHeight(std::min(frame.height(), area.height()));
  frame.moveTop(std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() - 50)));
  frame.moveLeft(std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() - 50)));
  setGeometry(frame);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// A job file dropped on the window is opened.
void MainWindow::dropEvent(QDropEvent* event) {
  const std::vector<std::string> paths = DroppedPaths(event->mimeData());
  shell_.Run([this, &paths] { shell_.Jobs().OpenProject(paths); });
  event->acceptProposedAction();
}

}  // namespace korvane::ui
