#include "support/scripted_person.h"

#include <gtest/gtest.h>

namespace korvane::testing {

Button ScriptedPerson::Ask(MessageKind kind, const std::string& text, const Buttons& buttons) {
  asked.push_back({kind, text, buttons});
  if (onAsk) onAsk(asked.back());
  if (buttons.size() <= 1) return buttons.empty() ? Button::Ok : buttons.front();
  if (answers.empty()) {
    ADD_FAILURE() << "Unexpected question: " << text;
    return buttons.back();
  }
  const Button answer = answers.front();
  answers.pop_front();
  return answer;
}

std::vector<std::string> ScriptedPerson::OpenFiles(const FileDialogRequest& request) {
  openRequests.push_back(request);
  if (openAnswers.empty()) return {};
  auto answer = openAnswers.front();
  openAnswers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedPerson::SaveFile(const FileDialogRequest& request) {
  saveRequests.push_back(request);
  if (saveAnswers.empty()) return std::nullopt;
  auto answer = saveAnswers.front();
  saveAnswers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedPerson::ChooseFolder(const FolderDialogRequest& request) {
  folderRequests.push_back(request);
  if (folderAnswers.empty()) return std::nullopt;
  auto answer = folderAnswers.front();
  folderAnswers.pop_front();
  return answer;
}

std::optional<FontChoice> ScriptedPerson::ChooseFont(const FontChoice& /*current*/) {
  if (fontAnswers.empty()) return std::nullopt;
  auto answer = fontAnswers.front();
  fontAnswers.pop_front();
  return answer;
}

std::vector<std::string> ScriptedPerson::AskedTexts() const {
  std::vector<std::string> texts;
  texts.reserve(asked.size());
  for (const auto& q : asked) texts.push_back(q.text);
  return texts;
}

}  // namespace korvane::testing
