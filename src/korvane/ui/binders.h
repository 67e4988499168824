#pragma once
// Two-way bindings between model components and Qt widgets. A widget takes
// the component's name as objectName, so tests and the job file speak the
// same names. Bindings live as long as the widget.

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "korvane/core/components/action.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/lists.h"

namespace korvane {
class Shell;
}

namespace korvane::ui {

// Visible and enabled state (and the name) of any component.
void BindCommon(Component& component, QWidget* widget);

void BindEdit(EditBox& edit, QLineEdit* widget);
void BindMemo(Memo& memo, QPlainTextEdit* widget);
void BindGroupBox(GroupBox& group, QGroupBox* widget);
void BindButton(Shell& shell, ButtonControl& button, QAbstractButton* widget);
void BindAction(Shell& shell, Action& action, QAction* qaction);

}  // namespace korvane::ui

class QRadioButton;

namespace korvane::ui {

void BindRadioButton(Shell& shell, RadioButton& button, QRadioButton* widget);
// The group's entries are rebuilt whenever the model's items change.
void BindRadioGroup(Shell& shell, RadioGroup& group, QGroupBox* widget);

}  // namespace korvane::ui

class QComboBox;
class QListWidget;

namespace korvane::ui {

void BindCombo(Shell& shell, ComboBox& combo, QComboBox* widget);
void BindCheckList(Shell& shell, CheckList& list, QListWidget* widget);

}  // namespace korvane::ui

class QProgressBar;

namespace korvane::ui {

void BindProgressBar(ProgressBar& bar, QProgressBar* widget);

}  // namespace korvane::ui
