#include "korvane/core/app/console_person.h"

#include <algorithm>

namespace korvane {

namespace {

const char* KindName(MessageKind kind) {
  switch (kind) {
    case MessageKind::Information:
      return "Information";
    case MessageKind::Warning:
      return "Warning";
    case MessageKind::Error:
      return "Error";
    case MessageKind::Confirmation:
      return "Question";
  }
  return "Message";
}

// A message spans one console line: CR LF pairs and single breaks become " | ".
std::string Flatten(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += " | ";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

ConsolePerson::ConsolePerson(std::ostream& err, bool answerYes,
                             std::function<void(int)> exitOnQuestion)
    : err_(err), answerYes_(answerYes), exitOnQuestion_(std::move(exitOnQuestion)) {}

void ConsolePerson::PrintLine(const std::string& kind, const std::string& text) {
  err_ << kind << ": " << Flatten(text) << '\n';
  err_.flush();
}

Button ConsolePerson::Ask(MessageKind kind, const std::string& text, const Buttons& buttons) {
  const bool question = buttons.size() >= 2;
  PrintLine(question ? "Question" : KindName(kind), text);
  if (!question) return buttons.empty() ? Button::Ok : buttons.front();
  for (const Button preferred : {Button::Yes, Button::Ok}) {
    if (answerYes_ && std::find(buttons.begin(), buttons.end(), preferred) != buttons.end()) {
      return preferred;
    }
  }
  exitOnQuestion_(2);
  // Only reached when the exit hook returns (tests): treat it as cancelled.
  return buttons.back();
}

std::vector<std::string> ConsolePerson::OpenFiles(const FileDialogRequest& request) {
  PrintLine("Dialog", request.title + " (cancelled: no open dialog in batch mode)");
  return {};
}

std::optional<std::string> ConsolePerson::SaveFile(const FileDialogRequest& request) {
  if (!answerYes_) {
    PrintLine("Question", request.title);
    exitOnQuestion_(2);
    return std::nullopt;
  }
  std::string name = request.fileName;
  if (!name.empty() && name.find('/') == std::string::npos && !request.initialDir.empty()) {
    name = request.initialDir + (request.initialDir.back() == '/' ? "" : "/") + name;
  }
  if (!request.defaultExt.empty() && name.find('.', name.rfind('/') + 1) == std::string::npos) {
    name += "." + request.defaultExt;
  }
  PrintLine("Dialog", request.title + " -> " + name);
  return name;
}

std::optional<std::string> ConsolePerson::ChooseFolder(const FolderDialogRequest& request) {
  PrintLine("Dialog", request.caption + " (cancelled: no folder dialog in batch mode)");
  return std::nullopt;
}

std::optional<FontChoice> ConsolePerson::ChooseFont(const FontChoice& /*current*/) {
  return std::nullopt;
}

void ConsolePerson::ShowFailure(const std::string& text) {
  PrintLine("Error", text);
}

}  // namespace korvane
