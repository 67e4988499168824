#include "korvane/ui/pages/technical_page.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "korvane/core/app/shell.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/form/component_names.h"
#include "korvane/ui/binders.h"
#include "korvane/ui/components/frame_widgets.h"
#include "korvane/ui/page_tabs.h"

namespace korvane::ui {

namespace n = names;

TechnicalPage::TechnicalPage(Shell& shell, QWidget* parent) : QWidget(parent) {
  FormModel& form = shell.Form();
  auto* layout = new QVBoxLayout(this);

  auto* group = new QGroupBox(this);
  BindGroupBox(form.Get<GroupBox>(n::kGroupIniFile), group);
  auto* groupLayout = new QVBoxLayout(group);
  auto* memo = new QPlainTextEdit(group);
  memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  BindMemo(shell, form.Get<Memo>(n::kMemoIniFile), memo);
  groupLayout->addWidget(memo);

  auto* buttons = new QHBoxLayout();
  auto* apply = new QPushButton(group);
  BindButton(shell, form.Get<ButtonControl>(n::kButtonApplyChanges), apply);
  buttons->addWidget(apply);
  buttons->addStretch();
  groupLayout->addLayout(buttons);
  layout->addWidget(group, 3);

  auto* tools = new QGroupBox("Tools", this);
  tools->setObjectName("GroupBoxTools");
  auto* toolsLayout = new QVBoxLayout(tools);
  for (const char* name :
       {n::kFrameEditor, n::kFrameCopylib, n::kFrameFunctab, n::kFrameDalmer, n::kFrameArdent,
        n::kFrameBelmont, n::kFrameCorvid, n::kFrameLinker, n::kFrameEskar}) {
    toolsLayout->addWidget(new PathFrameWidget(shell, form.Get<ToolPathFrame>(name), tools));
  }
  layout->addWidget(tools);

  auto* extended = new QTabWidget(this);
  auto* newNames = new QPlainTextEdit();
  BindMemo(shell, form.Get<Memo>(n::kMemoNewFileNames), newNames);
  auto* longExt = new QPlainTextEdit();
  BindMemo(shell, form.Get<Memo>(n::kMemoLongExtension), longExt);
  PageTabs::Bind(shell, form, form.Get<PageControl>(n::kPageControlExtended), extended,
                 {{n::kPageNewFileNames, newNames}, {n::kPageLongExtensions, longExt}});
  layout->addWidget(extended, 1);
}

}  // namespace korvane::ui
