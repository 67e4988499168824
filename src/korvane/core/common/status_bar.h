#pragma once
// The shell's single reporting channel: status texts, warnings, errors, the
// accumulated error list and fatal errors, shown in one line of the main
// window's status bar. Reporting an error usually ends the current operation
// by throwing OperationAbort.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "korvane/core/common/person_port.h"
#include "korvane/core/common/signal.h"

namespace korvane {

enum class StatusColour { Neutral, Warning, Error };

enum class StatusMessageKind { Status, Warning, Error, Fatal };

class StatusBar {
 public:
  explicit StatusBar(PersonPort& person);

  // The view supplies text widths in pixels; headless and tests use the
  // default fixed-width measure (8 px per character, client width 800).
  // An empty function restores the default measure.
  void SetTextMeasure(std::function<int(std::string_view)> widthOf, int clientWidth);

  void ShowStatus(const std::string& text);
  void ShowWarning(const std::string& text);
  void ShowError(const std::string& text, bool goOn = false);
  void AddError(const std::string& text, bool goOn = false);
  [[noreturn]] void ShowFatal(const std::string& text);
  void ClearMessages();
  // Shows the error and ends the operation; an empty text clears the bar and
  // ends it quietly.
  [[noreturn]] void ShowErrorAndAbort(const std::string& text);
  [[noreturn]] void AddErrorAndAbort(const std::string& text);

  void Click();
  void DoubleClick();

  const std::string& Text() const { return text_; }
  const std::string& Hint() const { return hint_; }
  const std::string& MessageList() const { return messageList_; }
  StatusColour Colour() const { return colour_; }

  bool UseMessageBox() const { return useMessageBox_; }
  void SetUseMessageBox(bool on) { useMessageBox_ = on; }

  // Replace the built-in click behaviour when listened to.
  Signal<> clicked, doubleClicked;
  // The text, its colour or the hint changed.
  Signal<> changed;
  // Every reported text, for the console mode.
  Signal<StatusMessageKind, const std::string&> messageReported;

  // The error and warning backgrounds as BGR-packed colour values.
  static constexpr std::uint32_t kColorErr = 8421631;
  static constexpr std::uint32_t kColorWarn = 16405592;

 private:
  void SetText(const std::string& text);
  void AppendError(const std::string& text, bool goOn);
  void ShowClickDialog();
  bool HintBelongsToText() const;
  int WidthOf(std::string_view text) const;
  void Changed();
  void Report(StatusMessageKind kind, const std::string& text);

  PersonPort& person_;
  std::function<int(std::string_view)> widthOf_;
  int clientWidth_ = 800;
  std::string text_;
  std::string hint_;
  std::string messageList_;
  StatusColour colour_ = StatusColour::Neutral;
  bool useMessageBox_ = false;
};

}  // namespace korvane
