#pragma once
// Two-way bindings between model components and Qt widgets. A widget takes
// the component's name as objectName, so tests and the job file speak the
// same names. The model's connections belong to the widget and end with it.
//
// Every call from a widget into the core goes through the command gate, so an
// operation abort or a failure ends that call only, never the program.

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <functional>
#include <utility>

#include "korvane/core/common/guarded_run.h"
#include "korvane/core/components/action.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/lists.h"

namespace korvane::ui {

// The model connections of one Qt object, destroyed with it.
ConnectionList& ConnectionsOf(QObject* owner);

// A widget callback that enters the core through the gate.
template <typename... Args, typename F>
auto Guarded(CommandGate& gate, F fn) {
  return [&gate, fn = std::move(fn)](Args... args) { gate.Run([&] { fn(args...); }); };
}

// Visible and enabled state, hint and name of any component.
void BindCommon(Component& component, QWidget* widget);

void BindEdit(CommandGate& gate, EditBox& edit, QLineEdit* widget);
// Lines appended to the model reach the widget as one append on the next
// turn of the event loop, or a little later while they keep pouring in; a
// reset replaces its text.
void BindMemo(CommandGate& gate, Memo& memo, QPlainTextEdit* widget);
void BindGroupBox(GroupBox& group, QGroupBox* widget);
void BindButton(CommandGate& gate, ButtonControl& button, QAbstractButton* widget);
void BindAction(CommandGate& gate, Action& action, QAction* qaction);

void BindRadioButton(CommandGate& gate, RadioButton& button, QRadioButton* widget);
// The group's entries are rebuilt whenever the model's items change.
void BindRadioGroup(CommandGate& gate, RadioGroup& group, QGroupBox* widget);

void BindProgressBar(ProgressBar& bar, QProgressBar* widget);

}  // namespace korvane::ui
