#include "korvane/ui/pages/names_page.h"

#include <QApplication>
#include <QComboBox>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "korvane/core/app/shell.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/form/component_names.h"
#include "korvane/ui/binders.h"
#include "korvane/ui/components/drop_button.h"
#include "korvane/ui/components/file_list_view.h"
#include "korvane/ui/components/frame_widgets.h"
#include "korvane/ui/components/inc_combo_box.h"
#include "korvane/ui/page_tabs.h"
#include "korvane/ui/text_codec.h"

namespace korvane::ui {

namespace n = names;

namespace {

constexpr const char* kNamesMime = "application/x-korvane-names";

// The "Names" group can be dragged onto the "Data set definitions" group,
// which then extends the base directory with the job's name.
class NamesDragGroup : public QGroupBox {
 public:
  explicit NamesDragGroup(QWidget* parent) : QGroupBox(parent) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) pressAt_ = event->position().toPoint();
    QGroupBox::mousePressEvent(event);
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if ((event->buttons() & Qt::LeftButton) == 0 ||
        (event->position().toPoint() - pressAt_).manhattanLength() <
            QApplication::startDragDistance()) {
      return;
    }
    auto* data = new QMimeData();
    data->setData(kNamesMime, QByteArray());
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
  }

 private:
  QPoint pressAt_;
};

class DataSetsGroup : public QGroupBox {
 public:
  DataSetsGroup(Shell& shell, QWidget* parent) : QGroupBox(parent), shell_(shell) {
    setAcceptDrops(true);
  }

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override {
    if (event->mimeData()->hasFormat(kNamesMime)) event->acceptProposedAction();
  }
  void dropEvent(QDropEvent* event) override {
    event->acceptProposedAction();
    shell_.Run([this] { shell_.OutputField().DropNames(); });
  }

 private:
  Shell& shell_;
};

QGroupBox* Group(Shell& shell, const char* name, QWidget* parent) {
  auto* box = new QGroupBox(parent);
  BindGroupBox(shell.Form().Get<GroupBox>(name), box);
  return box;
}

QWidget* FileListPage(Shell& shell, const char* panel, const char* list) {
  auto* page = new QWidget();
  auto* layout = new QVBoxLayout(page);
  auto* caption = new QLabel(page);
  Panel& model = shell.Form().Get<Panel>(panel);
  caption->setObjectName(panel);
  caption->setText(FromLocal(model.Caption()));
  ConnectionsOf(caption).Add(
      model.changed.Connect([caption, &model] { caption->setText(FromLocal(model.Caption())); }));
  layout->addWidget(caption);
  layout->addWidget(new FileListView(shell, shell.Form().Get<CheckList>(list), panel, page), 1);
  return page;
}

}  // namespace

NamesPage::NamesPage(Shell& shell, QWidget* parent) : QWidget(parent) {
  FormModel& form = shell.Form();
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout();

  auto* names = new NamesDragGroup(this);
  BindGroupBox(form.Get<GroupBox>(n::kGroupNames), names);
  auto* nameForm = new QFormLayout(names);
  for (const char* name : {n::kEditProductName, n::kEditSystemName}) {
    auto* edit = new QLineEdit(names);
    EditBox& model = form.Get<EditBox>(name);
    BindEdit(shell, model, edit);
    nameForm->addRow(FromLocal(model.Caption()), edit);
  }
  top->addWidget(names);

  auto* types = new QVBoxLayout();
  auto* wrapType = Group(shell, n::kGroupWrapType, this);
  auto* wrapLayout = new QHBoxLayout(wrapType);
  auto* wrapCombo = new IncComboBox(shell, form.Get<ComboBox>(n::kComboWrapType), wrapType);
  wrapCombo->setMinimumWidth(200);
  wrapLayout->addWidget(wrapCombo);
  auto* apply = new QPushButton(wrapType);
  BindButton(shell, form.Get<ButtonControl>(n::kButtonApplyType), apply);
  wrapLayout->addWidget(apply);
  types->addWidget(wrapType);
  auto* combos = new QHBoxLayout();
  for (const auto& [group, combo] :
       {std::pair{n::kGroupMapType, n::kComboMapType},
        std::pair{n::kGroupOutputInterface, n::kComboOutputInterface}}) {
    auto* box = Group(shell, group, this);
    auto* boxLayout = new QHBoxLayout(box);
    auto* widget = new IncComboBox(shell, form.Get<ComboBox>(combo), box);
    boxLayout->addWidget(widget);
    combos->addWidget(box);
  }
  types->addLayout(combos);
  top->addLayout(types, 1);
  layout->addLayout(top);

  auto* dataSets = new DataSetsGroup(shell, this);
  BindGroupBox(form.Get<GroupBox>(n::kGroupDataSets), dataSets);
  auto* dataLayout = new QVBoxLayout(dataSets);
  dataLayout->addWidget(
      new PathFrameWidget(shell, form.Get<DirectoryFrame>(n::kFrameOutputDir), dataSets));
  layout->addWidget(dataSets);

  auto* buttons = new QHBoxLayout();
  for (const char* name : {n::kButtonAddFilesToSrc, n::kButtonAddDirsToSrc, n::kButtonAddFilesToCpy,
                           n::kButtonAddDirsToCpy}) {
    const std::string target = name;
    auto* button = new DropButton(
        shell,
        [&shell, target](const std::vector<std::string>& paths) {
          shell.Sources().Adding().DropFiles(target, paths);
        },
        this);
    BindButton(shell, form.Get<ButtonControl>(name), button);
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  layout->addLayout(buttons);

  auto* progress = Group(shell, n::kGroupProgress, this);
  auto* progressLayout = new QVBoxLayout(progress);
  for (const char* bar : {n::kProgressSources, n::kProgressModules}) {
    auto* widget = new QProgressBar(progress);
    BindProgressBar(form.Get<ProgressBar>(bar), widget);
    progressLayout->addWidget(widget);
  }
  layout->addWidget(progress);

  auto* pager = new QTabWidget(this);
  pager->setDocumentMode(true);
  PageTabs::Bind(shell, form, form.Get<PageControl>(n::kPageControlCopySource), pager,
                 {{n::kPageSources, FileListPage(shell, n::kPanelSources, n::kListSources)},
                  {n::kPageCopies, FileListPage(shell, n::kPanelCopies, n::kListCopies)}});
  layout->addWidget(pager, 1);
}

}  // namespace korvane::ui
