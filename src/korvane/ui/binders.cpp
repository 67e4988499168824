#include "korvane/ui/binders.h"

#include "korvane/core/app/shell.h"
#include "korvane/core/common/text.h"
#include "korvane/ui/text_codec.h"

namespace korvane::ui {

namespace {

constexpr const char* kHolderName = "korvane_connections";

class ConnectionHolder : public QObject {
 public:
  explicit ConnectionHolder(QObject* owner) : QObject(owner) { setObjectName(kHolderName); }
  ConnectionList connections;
};

// Runs fn(widget) on every emit, for as long as the widget lives.
template <typename W, typename F>
void WhileAlive(W* widget, Signal<>& signal, F fn) {
  ConnectionsOf(widget).Add(signal.Connect([widget, fn] { fn(widget); }));
}

QString JoinLines(const std::vector<std::string>& lines) {
  QString text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += '\n';
    text += FromLatin1(lines[i]);
  }
  return text;
}

}  // namespace

ConnectionList& ConnectionsOf(QObject* owner) {
  auto* holder = static_cast<ConnectionHolder*>(
      owner->findChild<QObject*>(kHolderName, Qt::FindDirectChildrenOnly));
  if (holder == nullptr) holder = new ConnectionHolder(owner);
  return holder->connections;
}

void BindCommon(Component& component, QWidget* widget) {
  widget->setObjectName(QString::fromStdString(component.Name()));
  auto apply = [&component](QWidget* w) {
    w->setVisible(component.Visible());
    w->setEnabled(component.Enabled());
    if (!component.Hint().empty()) w->setToolTip(FromLatin1(component.Hint()));
  };
  apply(widget);
  WhileAlive(widget, component.changed, apply);
}

void BindEdit(EditBox& edit, QLineEdit* widget) {
  BindCommon(edit, widget);
  if (edit.MaxLength() > 0) widget->setMaxLength(edit.MaxLength());
  auto apply = [&edit](QLineEdit* w) {
    const QString text = FromLocal(edit.Text());
    if (w->text() != text) w->setText(text);
    w->setReadOnly(edit.ReadOnly());
  };
  apply(widget);
  WhileAlive(widget, edit.changed, apply);
  QObject::connect(widget, &QLineEdit::textEdited,
                   [&edit](const QString& text) { edit.UserEdit(ToLocal(text)); });
  QObject::connect(widget, &QLineEdit::editingFinished, [&edit] { edit.exited.Emit(); });
  WhileAlive(widget, edit.focusRequested, [](QLineEdit* w) { w->setFocus(); });
}

void BindMemo(Memo& memo, QPlainTextEdit* widget) {
  BindCommon(memo, widget);
  auto updating = std::make_shared<bool>(false);
  auto apply = [&memo, updating](QPlainTextEdit* w) {
    const QString text = JoinLines(memo.Lines());
    if (w->toPlainText() == text) return;
    *updating = true;
    w->setPlainText(text);
    *updating = false;
    w->setReadOnly(memo.ReadOnly());
  };
  apply(widget);
  WhileAlive(widget, memo.changed, apply);
  QObject::connect(widget, &QPlainTextEdit::textChanged, [&memo, widget, updating] {
    if (*updating) return;
    memo.UserEdit(SplitLines(ToLatin1(widget->toPlainText())));
  });
}

void BindGroupBox(GroupBox& group, QGroupBox* widget) {
  BindCommon(group, widget);
  auto apply = [&group](QGroupBox* w) { w->setTitle(FromLocal(group.Caption())); };
  apply(widget);
  WhileAlive(widget, group.changed, apply);
}

void BindButton(Shell& shell, ButtonControl& button, QAbstractButton* widget) {
  BindCommon(button, widget);
  auto apply = [&button](QAbstractButton* w) { w->setText(FromLocal(button.Caption())); };
  apply(widget);
  WhileAlive(widget, button.changed, apply);
  QObject::connect(widget, &QAbstractButton::clicked,
                   [&shell, &button] { shell.Run([&button] { button.clicked.Emit(); }); });
}

void BindAction(Shell& shell, Action& action, QAction* qaction) {
  qaction->setObjectName(QString::fromStdString(action.Name()));
  auto apply = [&action](QAction* a) {
    a->setText(FromLocal(action.Caption()));
    a->setVisible(action.Visible());
    a->setEnabled(action.Enabled());
    a->setCheckable(action.Checked() || a->isCheckable());
    a->setChecked(action.Checked());
    if (!action.Shortcut().empty()) {
      a->setShortcut(QKeySequence(QString::fromStdString(action.Shortcut())));
    }
    if (!action.Hint().empty()) a->setStatusTip(FromLocal(action.Hint()));
  };
  apply(qaction);
  WhileAlive(qaction, action.changed, apply);
  QObject::connect(qaction, &QAction::triggered,
                   [&shell, &action] { shell.Execute(action.Name()); });
}

}  // namespace korvane::ui

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korvane::ui {

void BindRadioButton(Shell& shell, RadioButton& button, QRadioButton* widget) {
  BindCommon(button, widget);
  auto apply = [&button](QRadioButton* w) {
    w->setText(FromLocal(button.Caption()));
    w->setChecked(button.Checked());
  };
  apply(widget);
  WhileAlive(widget, button.changed, apply);
  // The model decides the checked state; a click only asks it.
  widget->setAutoExclusive(false);
  QObject::connect(widget, &QRadioButton::clicked, [&shell, &button, widget] {
    shell.Run([&button] { button.Click(); });
    widget->setChecked(button.Checked());
  });
}

void BindRadioGroup(Shell& shell, RadioGroup& group, QGroupBox* widget) {
  BindCommon(group, widget);
  auto* layout = new QVBoxLayout(widget);
  auto apply = [&shell, &group, layout](QGroupBox* w) {
    w->setTitle(FromLocal(group.Caption()));
    const auto buttons = w->findChildren<QRadioButton*>();
    bool same = buttons.size() == static_cast<qsizetype>(group.Items().size());
    for (qsizetype i = 0; same && i < buttons.size(); ++i) {
      same = buttons[i]->text() == FromLocal(group.Items()[static_cast<size_t>(i)]);
    }
    if (!same) {
      qDeleteAll(buttons);
      for (size_t i = 0; i < group.Items().size(); ++i) {
        auto* b = new QRadioButton(FromLocal(group.Items()[i]), w);
        b->setAutoExclusive(false);
        layout->addWidget(b);
        const int index = static_cast<int>(i);
        QObject::connect(b, &QRadioButton::clicked, [&shell, &group, index] {
          shell.Run([&group, index] { group.SetItemIndex(index); });
        });
      }
    }
    const auto fresh = w->findChildren<QRadioButton*>();
    for (qsizetype i = 0; i < fresh.size(); ++i) fresh[i]->setChecked(i == group.ItemIndex());
  };
  apply(widget);
  WhileAlive(widget, group.changed, apply);
}

}  // namespace korvane::ui

namespace korvane::ui {}  // namespace korvane::ui

#include <QProgressBar>

namespace korvane::ui {

void BindProgressBar(ProgressBar& bar, QProgressBar* widget) {
  BindCommon(bar, widget);
  auto apply = [&bar](QProgressBar* w) {
    w->setRange(bar.Min(), bar.Max());
    w->setValue(bar.Position());
  };
  apply(widget);
  WhileAlive(widget, bar.changed, apply);
}

}  // namespace korvane::ui
