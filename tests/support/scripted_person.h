#pragma once
// A person-port for tests: records every question and dialog and answers
// from queues filled by the test. An unexpected question fails the test.
// Everything the person saw and answered is also written, one line each, to
// a transcript that a test compares once with a golden file.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "korvane/core/common/person_port.h"

namespace korvane::testing {

struct AskedQuestion {
  MessageKind kind;
  std::string text;
  Buttons buttons;
};

class ScriptedPerson : public PersonPort {
 public:
  // Answers for questions (boxes with two or more buttons), in order. A box
  // with one button is answered with that button and needs no entry.
  std::deque<Button> answers;
  std::deque<std::vector<std::string>> openAnswers;
  std::deque<std::optional<std::string>> saveAnswers;
  std::deque<std::optional<std::string>> folderAnswers;
  std::deque<std::optional<FontChoice>> fontAnswers;

  std::vector<AskedQuestion> asked;
  // Runs while a question is open, to look at what the window shows then.
  std::function<void(const AskedQuestion&)> onAsk;
  std::vector<FileDialogRequest> openRequests;
  std::vector<FileDialogRequest> saveRequests;
  std::vector<FolderDialogRequest> folderRequests;
  std::vector<std::string> failures;
  int beeps = 0;
  int pendingEventCalls = 0;

  Button Ask(MessageKind kind, const std::string& text, const Buttons& buttons) override;
  std::vector<std::string> OpenFiles(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseFolder(const FolderDialogRequest& request) override;
  std::optional<FontChoice> ChooseFont(const FontChoice& current) override;
  void Beep() override;
  void ProcessPendingEvents() override { ++pendingEventCalls; }
  void RunOnInterfaceThread(const std::function<void()>& work) override { work(); }
  void ShowFailure(const std::string& text) override;

  // Texts of all boxes shown so far, in order.
  std::vector<std::string> AskedTexts() const;

  // The dialogue so far: questions with their buttons and answers, dialogs,
  // failures, beeps, and whatever the test notes in between (a status message).
  std::string transcript;
  void Note(const std::string& line);
};

}  // namespace korvane::testing
