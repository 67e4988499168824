#include "korvane/ui/page_tabs.h"

#include "korvane/core/common/guarded_run.h"
#include "korvane/ui/binders.h"
#include "korvane/ui/text_codec.h"

namespace korvane::ui {

void PageTabs::Bind(CommandGate& gate, FormModel& form, PageControl& control, QTabWidget* tabs,
                    const PageWidgets& pages) {
  tabs->setObjectName(QString::fromStdString(control.Name()));
  std::vector<Page*> models;
  for (const auto& [name, widget] : pages) {
    Page& page = form.Get<Page>(name);
    widget->setObjectName(QString::fromStdString(page.Name()));
    tabs->addTab(widget, FromLocal(page.Caption()));
    models.push_back(&page);
  }
  auto refresh = [tabs, models, &control] {
    for (int i = 0; i < static_cast<int>(models.size()); ++i) {
      tabs->setTabText(i, FromLocal(models[i]->Caption()));
      tabs->setTabVisible(i, models[i]->Visible());
      if (models[i]->Name() == control.ActivePage() && tabs->currentIndex() != i) {
        tabs->setCurrentIndex(i);
      }
    }
    tabs->setEnabled(control.Enabled());
    // Without a page to show, the empty frame would only puzzle.
    bool anyShown = false;
    for (const Page* page : models) anyShown = anyShown || page->Visible();
    tabs->setVisible(anyShown);
  };
  ConnectionList& connections = ConnectionsOf(tabs);
  for (Page* page : models) connections.Add(page->changed.Connect(refresh));
  connections.Add(control.changed.Connect(refresh));
  refresh();
  QObject::connect(tabs, &QTabWidget::currentChanged, tabs,
                   Guarded<int>(gate, [&control, models](int index) {
                     if (index < 0 || index >= static_cast<int>(models.size())) return;
                     control.SetActivePage(models[static_cast<size_t>(index)]->Name());
                   }));
}

}  // namespace korvane::ui
