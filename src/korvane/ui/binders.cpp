#include "korvane/ui/binders.h"

#include <QElapsedTimer>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

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
void OnEmit(W* widget, Signal<>& signal, F fn) {
  ConnectionsOf(widget).Add(signal.Connect([widget, fn] { fn(widget); }));
}

QString JoinLines(const std::vector<std::string>& lines, size_t first, size_t count) {
  QString text;
  for (size_t i = first; i < first + count && i < lines.size(); ++i) {
    if (i > first) text += '\n';
    text += FromText(lines[i]);
  }
  return text;
}

// Keeps a memo widget in step with its model. Appends are collected and
// applied on the next turn of the event loop, and while lines keep pouring
// in at most every kFlushInterval: a console fed line by line would
// otherwise change and repaint the document for every line or two.
class MemoBinding : public QObject {
 public:
  MemoBinding(CommandGate& gate, Memo& memo, QPlainTextEdit* widget)
      : QObject(widget), gate_(gate), memo_(memo), widget_(widget) {
    auto& connections = ConnectionsOf(this);
    connections.Add(memo.reset.Connect([this] { Reset(); }));
    connections.Add(memo.linesAppended.Connect(
        [this](size_t first, size_t count) { Queue(memo_.Lines(), first, count); }));
    connections.Add(memo.changed.Connect([this] { ApplyProperties(); }));
    QObject::connect(widget, &QPlainTextEdit::textChanged, this, [this] { Edited(); });
    ApplyProperties();
    Reset();
  }

 private:
  void ApplyProperties() { widget_->setReadOnly(memo_.ReadOnly()); }

  void Reset() {
    if (editing_) return;  // the model took the widget's own text
    pending_.clear();
    pendingLines_ = 0;
    shownLines_ = memo_.Lines().size();
    const QString text = JoinLines(memo_.Lines(), 0, memo_.Lines().size());
    if (widget_->toPlainText() == text) return;
    const Applying applying(applying_);
    widget_->setPlainText(text);
  }

  void Queue(const std::vector<std::string>& lines, size_t first, size_t count) {
    if (count == 0) return;
    // A widget that keeps only its last lines gets only those: a flood of a million
    // lines must not be laid out just to be dropped again.
    const auto cap = static_cast<size_t>(std::max(widget_->maximumBlockCount(), 0));
    if (cap > 0 && count >= cap) {
      shownLines_ += pendingLines_ + count - cap;
      pending_.clear();
      pendingLines_ = 0;
      first += count - cap;
      count = cap;
    } else if (cap > 0 && pendingLines_ + count > cap) {
      DropPending(pendingLines_ + count - cap);
    }
    // The text is taken now: the model may be gone by the time of the flush.
    if (!pending_.isEmpty()) pending_ += '\n';
    pending_ += JoinLines(lines, first, count);
    pendingLines_ += count;
    if (flushQueued_) return;
    flushQueued_ = true;
    const qint64 since = sinceFlush_.isValid() ? sinceFlush_.elapsed() : kFlushInterval;
    const int delay = since >= kFlushInterval ? 0 : static_cast<int>(kFlushInterval - since);
    QTimer::singleShot(delay, this, [this] { Flush(); });
  }

  // Drops the first lines still waiting (they count as shown).
  void DropPending(size_t lines) {
    qsizetype cut = 0;
    for (size_t i = 0; i < lines && cut >= 0; ++i) {
      cut = pending_.indexOf('\n', cut);
      if (cut >= 0) ++cut;
    }
    if (cut < 0) {
      pending_.clear();
      lines = pendingLines_;
    } else {
      pending_.remove(0, cut);
    }
    pendingLines_ -= lines;
    shownLines_ += lines;
  }

  void Flush() {
    flushQueued_ = false;
    if (pendingLines_ == 0) return;
    sinceFlush_.start();
    QScrollBar* bar = widget_->verticalScrollBar();
    const bool atBottom = bar->value() >= bar->maximum();
    const bool cursorAtEnd = widget_->textCursor().atEnd();
    // An empty document holds no line at all, or one empty line: appending
    // to the latter needs its line break written out.
    if (shownLines_ > 0 && widget_->document()->isEmpty()) pending_.prepend('\n');
    {
      const Applying applying(applying_);
      const int cap = widget_->maximumBlockCount();
      if (cap > 0 && pendingLines_ >= static_cast<size_t>(cap)) {
        // Everything shown goes: replacing is cheaper than dropping the old lines one by one.
        widget_->setPlainText(pending_);
      } else {
        widget_->appendPlainText(pending_);
      }
    }
    shownLines_ += pendingLines_;
    pending_.clear();
    pendingLines_ = 0;
    if (cursorAtEnd) widget_->moveCursor(QTextCursor::End);
    if (atBottom) bar->setValue(bar->maximum());
  }

  void Edited() {
    if (applying_) return;
    // Lines still on their way belong before the person's text is read back.
    Flush();
    const Applying editing(editing_);
    const QStringList typed = widget_->toPlainText().split(QChar('\n'));
    const std::vector<std::string>& before = memo_.Lines();
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(typed.size()));
    for (qsizetype i = 0; i < typed.size(); ++i) {
      const size_t at = static_cast<size_t>(i);
      lines.push_back(at < before.size() ? ToTextKeeping(typed[i], before[at]) : ToText(typed[i]));
    }
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    shownLines_ = lines.size();
    gate_.Run([this, &lines] { memo_.UserEdit(lines); });
  }

  struct Applying {
    bool& flag;
    explicit Applying(bool& f) : flag(f) { flag = true; }
    ~Applying() { flag = false; }
  };

  // A person reads no faster; each flush repaints the widget.
  static constexpr qint64 kFlushInterval = 40;  // ms

  CommandGate& gate_;
  Memo& memo_;
  QPlainTextEdit* widget_;
  QElapsedTimer sinceFlush_;
  QString pending_;
  size_t pendingLines_ = 0;
  size_t shownLines_ = 0;
  bool flushQueued_ = false;
  bool applying_ = false;
  bool editing_ = false;
};

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
    // An empty hint clears a tooltip set before.
    w->setToolTip(FromText(component.Hint()));
  };
  apply(widget);
  OnEmit(widget, component.changed, apply);
}

void BindEdit(CommandGate& gate, EditBox& edit, QLineEdit* widget) {
  BindCommon(edit, widget);
  if (edit.MaxLength() > 0) widget->setMaxLength(edit.MaxLength());
  auto apply = [&edit](QLineEdit* w) {
    const QString text = FromLocal(edit.Text());
    if (w->text() != text) w->setText(text);
    w->setReadOnly(edit.ReadOnly());
  };
  apply(widget);
  OnEmit(widget, edit.changed, apply);
  OnEmit(widget, edit.focusRequested, [](QLineEdit* w) { w->setFocus(); });
  QObject::connect(widget, &QLineEdit::textEdited,
                   Guarded<const QString&>(
                       gate, [&edit](const QString& text) { edit.UserEdit(ToLocal(text)); }));
  QObject::connect(widget, &QLineEdit::editingFinished,
                   Guarded(gate, [&edit] { edit.exited.Emit(); }));
}

void BindMemo(CommandGate& gate, Memo& memo, QPlainTextEdit* widget) {
  BindCommon(memo, widget);
  new MemoBinding(gate, memo, widget);
}

void BindGroupBox(GroupBox& group, QGroupBox* widget) {
  BindCommon(group, widget);
  auto apply = [&group](QGroupBox* w) { w->setTitle(FromLocal(group.Caption())); };
  apply(widget);
  OnEmit(widget, group.changed, apply);
}

void BindButton(CommandGate& gate, ButtonControl& button, QAbstractButton* widget) {
  BindCommon(button, widget);
  auto apply = [&button](QAbstractButton* w) { w->setText(FromLocal(button.Caption())); };
  apply(widget);
  OnEmit(widget, button.changed, apply);
  QObject::connect(widget, &QAbstractButton::clicked,
                   Guarded(gate, [&button] { button.clicked.Emit(); }));
}

void BindAction(CommandGate& gate, Action& action, QAction* qaction) {
  qaction->setObjectName(QString::fromStdString(action.Name()));
  auto apply = [&action](QAction* a) {
    a->setText(FromLocal(action.Caption()));
    a->setVisible(action.Visible());
    a->setEnabled(action.Usable());
    a->setCheckable(action.Checkable());
    a->setChecked(action.Checked());
    a->setShortcut(QKeySequence(QString::fromStdString(action.Shortcut())));
    const std::string& why = action.Unavailable().empty() ? action.Hint() : action.Unavailable();
    a->setStatusTip(FromLocal(why));
    a->setToolTip(why.empty() ? a->text() : FromLocal(why));
  };
  apply(qaction);
  ConnectionsOf(qaction).Add(action.changed.Connect([qaction, apply] { apply(qaction); }));
  // A checkable QAction flips its own mark on a click; the model decides it.
  QObject::connect(qaction, &QAction::triggered, qaction, [&gate, &action, qaction, apply] {
    gate.Execute(action.Name());
    apply(qaction);
  });
}

void BindRadioButton(CommandGate& gate, RadioButton& button, QRadioButton* widget) {
  BindCommon(button, widget);
  auto apply = [&button](QRadioButton* w) {
    w->setText(FromLocal(button.Caption()));
    w->setChecked(button.Checked());
  };
  apply(widget);
  OnEmit(widget, button.changed, apply);
  // The model decides the checked state; a click only asks it.
  widget->setAutoExclusive(false);
  QObject::connect(widget, &QRadioButton::clicked, widget, [&gate, &button, widget] {
    // Until the model has decided (a save question may be open) the old
    // choice stays the only one drawn as checked.
    widget->setChecked(button.Checked());
    gate.Run([&button] { button.Click(); });
    widget->setChecked(button.Checked());
  });
}

void BindRadioGroup(CommandGate& gate, RadioGroup& group, QGroupBox* widget) {
  BindCommon(group, widget);
  auto* layout = new QVBoxLayout(widget);
  // A click on the checked entry would uncheck it: the model decides.
  auto showChecked = [&group](QGroupBox* w) {
    const auto buttons = w->findChildren<QRadioButton*>();
    for (qsizetype i = 0; i < buttons.size(); ++i) buttons[i]->setChecked(i == group.ItemIndex());
  };
  auto apply = [&gate, &group, layout, showChecked](QGroupBox* w) {
    w->setTitle(FromLocal(group.Caption()));
    const auto buttons = w->findChildren<QRadioButton*>();
    bool same = buttons.size() == static_cast<qsizetype>(group.Items().size());
    for (qsizetype i = 0; same && i < buttons.size(); ++i) {
      same = buttons[i]->text() == FromLocal(group.Items()[static_cast<size_t>(i)]);
    }
    if (!same) {
      // The click being handled may come from one of these buttons.
      for (QRadioButton* b : buttons) {
        b->hide();
        b->setParent(nullptr);
        b->deleteLater();
      }
      for (size_t i = 0; i < group.Items().size(); ++i) {
        auto* b = new QRadioButton(FromLocal(group.Items()[i]), w);
        b->setAutoExclusive(false);
        layout->addWidget(b);
        const int index = static_cast<int>(i);
        QObject::connect(b, &QRadioButton::clicked, w, [&gate, &group, index, w, showChecked] {
          gate.Run([&group, index] { group.SetItemIndex(index); });
          showChecked(w);
        });
      }
    }
    showChecked(w);
  };
  apply(widget);
  OnEmit(widget, group.changed, apply);
}

void BindProgressBar(ProgressBar& bar, QProgressBar* widget) {
  BindCommon(bar, widget);
  auto apply = [&bar](QProgressBar* w) {
    w->setRange(bar.Min(), bar.Max());
    w->setValue(bar.Position());
  };
  apply(widget);
  OnEmit(widget, bar.changed, apply);
}

}  // namespace korvane::ui
