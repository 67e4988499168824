#pragma once
// Creates the components and actions of the main window in their fixed
// creation order. Behaviour is attached by the services afterwards.

#include "korvane/core/components/action.h"
#include "korvane/core/components/form_model.h"

namespace korvane {

void BuildMainForm(FormModel& form, ActionList& actions);

inline constexpr const char* kNotInThisVersion =
    "This function is not available in this version of the shell";

// Greys every action that no service has given a handler, saying why.
void DisableUnhandledActions(ActionList& actions);

}  // namespace korvane
