#pragma once
// Rules that hold for the whole window: page changes, the extended options, the About
// box and help, closing, and buttons that stand for actions.

#include "korvane/core/common/guarded_run.h"
#include "korvane/core/config/installation.h"
#include "korvane/core/config/product_catalogue.h"
#include "korvane/core/form/window_context.h"
#include "korvane/core/sources/source_lists.h"

namespace korvane {

class WindowRules {
 public:
  WindowRules(FormModel& form, WindowContext& window, CommandGate& gate,
              const Installation& installation, const ProductCatalogue& catalogue,
              SourceLists& sources);

  // Sets the window-wide actions' handlers and connects the page control and the
  // buttons that are named after an action.
  void Connect();

  void PageChanged();
  void ToggleExtendedOptions();
  void ShowAbout();
  void ShowHelp();

 private:
  FormModel& form_;
  WindowContext& window_;
  CommandGate& gate_;
  const Installation& installation_;
  const ProductCatalogue& catalogue_;
  SourceLists& sources_;
  ConnectionList connections_;
};

}  // namespace korvane
