#pragma once
// A run as the main window shows it: the caption, the progress group and its bars,
// the console memo, the names page brought to the front.

#include "korvane/core/components/controls.h"
#include "korvane/core/form/window_context.h"
#include "korvane/core/run/run_session.h"

namespace korvane {

class FormRunDisplay : public RunDisplay {
 public:
  explicit FormRunDisplay(WindowContext& context);

  std::string Caption() const override { return context_.window.Caption(); }
  void SetCaption(const std::string& caption) override { context_.window.SetCaption(caption); }
  void ShowRunStarting() override;
  void ShowProgress(const RunProgress& progress) override;
  void SetProgressVisible(bool visible) override;
  bool ConsoleShown() const override;
  void SetConsoleShown(bool shown) override;
  void ClearConsole() override;
  void AppendConsole(const std::vector<std::string>& lines) override;
  std::vector<std::string> ConsoleLines() const override;

 private:
  WindowContext& context_;
  Memo& console_;
  ConnectionList connections_;
};

}  // namespace korvane
