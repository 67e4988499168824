#include "korvane/ui/pages/language_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

#include "korvane/core/app/shell.h"
#include "korvane/core/form/component_names.h"
#include "korvane/ui/binders.h"
#include "korvane/ui/text_codec.h"

namespace korvane::ui {

namespace n = names;

LanguagePage::LanguagePage(Shell& shell, QWidget* parent) : QWidget(parent) {
  FormModel& form = shell.Form();
  auto* layout = new QHBoxLayout(this);

  auto* languages = new QGroupBox(this);
  BindGroupBox(form.Get<GroupBox>(n::kGroupLanguages), languages);
  auto* grid = new QGridLayout(languages);
  auto header = [&](const char* name, int column) {
    auto* label = new QLabel(FromLocal(form.Get<Label>(name).Caption()), languages);
    label->setObjectName(name);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    grid->addWidget(label, 0, column);
  };
  header(n::kLabelPrograms, 0);
  header(n::kLabelInterfaces, 1);
  const char* programs[] = {"RadioButtonASM", "RadioButtonCobol", "RadioButtonPLI",
                            "RadioButtonC_CPP"};
  const char* interfaces[] = {"RadioButtonCobScrn", "RadioButtonCicsBms", "RadioButtonImsMfs",
                              "RadioButtonHTML"};
  for (int row = 0; row < 4; ++row) {
    auto* program = new QRadioButton(languages);
    BindRadioButton(shell, form.Get<RadioButton>(programs[row]), program);
    grid->addWidget(program, row + 1, 0);
    auto* iface = new QRadioButton(languages);
    BindRadioButton(shell, form.Get<RadioButton>(interfaces[row]), iface);
    grid->addWidget(iface, row + 1, 1);
  }
  grid->setColumnMinimumWidth(0, 180);
  grid->setColumnMinimumWidth(1, 180);
  layout->addWidget(languages, 0, Qt::AlignTop);

  auto* versions = new QGroupBox(this);
  BindRadioGroup(shell, form.Get<RadioGroup>(n::kRadioGroupVersions), versions);
  layout->addSpacing(4);
  layout->addWidget(versions, 0, Qt::AlignTop);
  layout->addStretch(1);
}

}  // namespace korvane::ui
