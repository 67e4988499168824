#include "korvane/core/app/form_run_display.h"

#include "korvane/core/components/controls.h"
#include "korvane/core/form/component_names.h"

namespace korvane {

namespace n = names;

FormRunDisplay::FormRunDisplay(WindowContext& context)
    : context_(context), console_(context.job.console) {
  connections_.Add(console_.changed.Connect([this] { consoleShownChanged.Emit(); }));
}

void FormRunDisplay::ShowRunStarting() {
  context_.view.mainPages.SetActivePage(context_.view.namesPage);
  console_.Clear();
}

void FormRunDisplay::ShowProgress(const RunProgress& progress) {
  auto& modules = context_.view.modulesBar;
  auto& sources = context_.view.sourcesBar;
  modules.SetRange(0, progress.Modules().maximum);
  modules.SetPosition(progress.Modules().position);
  sources.SetRange(0, progress.Sources().maximum);
  sources.SetPosition(progress.Sources().position);
  context_.view.progress.SetCaption(progress.Caption());
}

void FormRunDisplay::SetProgressVisible(bool visible) {
  context_.view.progress.SetVisible(visible);
}

bool FormRunDisplay::ConsoleShown() const {
  return console_.Visible();
}

void FormRunDisplay::SetConsoleShown(bool shown) {
  console_.SetVisible(shown);
}

void FormRunDisplay::ClearConsole() {
  console_.Clear();
}

void FormRunDisplay::AppendConsole(const std::vector<std::string>& lines) {
  console_.AppendLines(lines);
}

std::vector<std::string> FormRunDisplay::ConsoleLines() const {
  return console_.Lines();
}

}  // namespace korvane
