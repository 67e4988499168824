#pragma once
// The person-port of the headless mode: every message goes to standard error,
// one line each, prefixed by its kind. Questions are answered Yes/OK when the
// caller allows it; otherwise a question ends the program with status 2.

#include <functional>
#include <ostream>

#include "korvane/core/common/person_port.h"

namespace korvane {

class ConsolePerson : public PersonPort {
 public:
  // exitOnQuestion is called with status 2 when a question cannot be
  // answered; in the program it ends the process.
  ConsolePerson(std::ostream& err, bool answerYes, std::function<void(int)> exitOnQuestion);

  Button Ask(MessageKind kind, const std::string& text, const Buttons& buttons) override;
  std::vector<std::string> OpenFiles(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseFolder(const FolderDialogRequest& request) override;
  std::optional<FontChoice> ChooseFont(const FontChoice& current) override;
  void Beep() override {}
  void ProcessPendingEvents() override {}
  void RunOnInterfaceThread(const std::function<void()>& work) override { work(); }
  void ShowFailure(const std::string& text) override;

  // Prints one reported line: "<kind>: <text>" with line breaks flattened.
  void PrintLine(const std::string& kind, const std::string& text);

 private:
  std::ostream& err_;
  bool answerYes_;
  std::function<void(int)> exitOnQuestion_;
};

}  // namespace korvane
