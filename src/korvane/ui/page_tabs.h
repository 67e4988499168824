#pragma once
// Binds a page control of the model to a QTabWidget: one tab per page, shown
// or hidden with the page, the active page kept in step both ways.

#include <QTabWidget>
#include <utility>
#include <vector>

#include "korvane/core/components/controls.h"
#include "korvane/core/components/form_model.h"

namespace korvane {
class CommandGate;
}

namespace korvane::ui {

class PageTabs {
 public:
  using PageWidgets = std::vector<std::pair<const char*, QWidget*>>;
  static void Bind(CommandGate& gate, FormModel& form, PageControl& control, QTabWidget* tabs,
                   const PageWidgets& pages);
};

}  // namespace korvane::ui
