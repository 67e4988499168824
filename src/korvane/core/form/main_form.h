#pragma once
// Creates the components and actions of the main window in their fixed
// creation order. Behaviour is attached by the services afterwards.

#include "korvane/core/components/action.h"
#include "korvane/core/components/form_model.h"

namespace korvane {

void BuildMainForm(FormModel& form, ActionList& actions);

// Greys every action that no service has given a handler.
void DisableUnhandledActions(ActionList& actions);

}  // namespace korvane
