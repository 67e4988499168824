#pragma once
// Two-way bindings between model components and Qt widgets. A widget takes
// the component's name as objectName, so tests and the job file speak the
// same names. The model's connections belong to the widget and end with it.

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>

#include "korvane/core/components/action.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/lists.h"

namespace korvane {
class Shell;
}

namespace korvane::ui {

// The model connections of one Qt object, destroyed with it.
ConnectionList& ConnectionsOf(QObject* owner);

// Visible and enabled state (and the name) of any component.
void BindCommon(Component& component, QWidget* widget);

void BindEdit(EditBox& edit, QLineEdit* widget);
void BindMemo(Memo& memo, QPlainTextEdit* widget);
void BindGroupBox(GroupBox& group, QGroupBox* widget);
void BindButton(Shell& shell, ButtonControl& button, QAbstractButton* widget);
void BindAction(Shell& shell, Action& action, QAction* qaction);

void BindRadioButton(Shell& shell, RadioButton& button, QRadioButton* widget);
// The group's entries are rebuilt whenever the model's items change.
void BindRadioGroup(Shell& shell, RadioGroup& group, QGroupBox* widget);

void BindProgressBar(ProgressBar& bar, QProgressBar* widget);

}  // namespace korvane::ui
