#include "support/scripted_person.h"

#include <gtest/gtest.h>

namespace korvane::testing {
namespace {

// One transcript line per event: line breaks inside a text are shown, not kept.
std::string OneLine(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

// In the order of the enumerations.
const char* NameOf(Button b) {
  static const char* const kNames[] = {"Ok", "Cancel", "Yes", "No", "Abort"};
  return kNames[static_cast<int>(b)];
}
const char* NameOf(MessageKind k) {
  static const char* const kNames[] = {"information", "warning", "error", "confirmation"};
  return kNames[static_cast<int>(k)];
}

std::string Dialog(const char* what, const FileDialogRequest& r) {
  return std::string(what) + " \"" + r.title + "\" in " + r.initialDir + " name " + r.fileName +
         " ext " + r.defaultExt + " filter " + r.filter;
}

std::string Answer(const std::vector<std::string>& files) {
  if (files.empty()) return "cancelled";
  std::string out;
  for (const auto& f : files) out += (out.empty() ? "" : " ") + f;
  return out;
}

std::string Answer(const std::optional<std::string>& file) {
  return file ? *file : "cancelled";
}

// The next queued answer; an empty queue answers as a cancel.
template <class T>
T Next(std::deque<T>& answers) {
  if (answers.empty()) return T{};
  T answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

}  // namespace

void ScriptedPerson::Note(const std::string& line) {
  transcript += OneLine(line) + "\n";
}

Button ScriptedPerson::Ask(MessageKind kind, const std::string& text, const Buttons& buttons) {
  asked.push_back({kind, text, buttons});
  if (onAsk) onAsk(asked.back());
  Button answer = buttons.empty() ? Button::Ok : buttons.front();
  if (buttons.size() > 1 && answers.empty()) {
    ADD_FAILURE() << "Unexpected question: " << text;
    answer = buttons.back();
  } else if (buttons.size() > 1) {
    answer = answers.front();
    answers.pop_front();
  }
  std::string shown;
  for (const Button b : buttons) shown += (shown.empty() ? "" : "/") + std::string(NameOf(b));
  Note(std::string(NameOf(kind)) + ": " + text + " [" + shown + "] -> " + NameOf(answer));
  return answer;
}

std::vector<std::string> ScriptedPerson::OpenFiles(const FileDialogRequest& request) {
  openRequests.push_back(request);
  const auto answer = Next(openAnswers);
  Note(Dialog("open", request) + " -> " + Answer(answer));
  return answer;
}

std::optional<std::string> ScriptedPerson::SaveFile(const FileDialogRequest& request) {
  saveRequests.push_back(request);
  const auto answer = Next(saveAnswers);
  Note(Dialog("save", request) + " -> " + Answer(answer));
  return answer;
}

std::optional<std::string> ScriptedPerson::ChooseFolder(const FolderDialogRequest& request) {
  folderRequests.push_back(request);
  const auto answer = Next(folderAnswers);
  Note("folder \"" + request.caption + "\" in " + request.startDir + " -> " + Answer(answer));
  return answer;
}

std::optional<FontChoice> ScriptedPerson::ChooseFont(const FontChoice& /*current*/) {
  return Next(fontAnswers);
}

void ScriptedPerson::Beep() {
  ++beeps;
  Note("beep");
}

void ScriptedPerson::ShowFailure(const std::string& text) {
  failures.push_back(text);
  Note("failure: " + text);
}

std::vector<std::string> ScriptedPerson::AskedTexts() const {
  std::vector<std::string> texts;
  texts.reserve(asked.size());
  for (const auto& q : asked) texts.push_back(q.text);
  return texts;
}

}  // namespace korvane::testing
