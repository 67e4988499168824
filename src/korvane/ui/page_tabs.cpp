#include "korvane/ui/page_tabs.h"

#include <QPointer>

#include "korvane/core/app/shell.h"
#include "korvane/ui/binders.h"
#include "korvane/ui/text_codec.h"

namespace korvane::ui {

void PageTabs::Bind(Shell& shell, PageControl& control, QTabWidget* tabs,
                    const PageWidgets& pages) {
  tabs->setObjectName(QString::fromStdString(control.Name()));
  std::vector<Page*> models;
  for (const auto& [name, widget] : pages) {
    Page& page = shell.Form().Get<Page>(name);
    widget->setObjectName(QString::fromStdString(page.Name()));
    tabs->addTab(widget, FromLocal(page.Caption()));
    models.push_back(&page);
  }
  QPointer<QTabWidget> guard(tabs);
  auto refresh = [guard, models, &control] {
    if (!guard) return;
    for (int i = 0; i < static_cast<int>(models.size()); ++i) {
      guard->setTabText(i, FromLocal(models[i]->Caption()));
      guard->setTabVisible(i, models[i]->Visible());
      if (models[i]->Name() == control.ActivePage() && guard->currentIndex() != i) {
        guard->setCurrentIndex(i);
      }
    }
    guard->setEnabled(control.Enabled());
  };
  for (Page* page : models) page->changed.Connect(refresh);
  control.changed.Connect(refresh);
  refresh();
  QObject::connect(tabs, &QTabWidget::currentChanged, [&shell, &control, models](int index) {
    if (index < 0 || index >= static_cast<int>(models.size())) return;
    const std::string name = models[index]->Name();
    shell.Run([&control, name] { control.SetActivePage(name); });
  });
}

}  // namespace korvane::ui
