#include "korvane/core/common/status_bar.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "korvane/core/common/operation_abort.h"
#include "support/inner_case_table.h"
#include "support/scripted_person.h"

namespace korvane {
namespace {

using testing::ScriptedPerson;

// A text whose every prefix differs from its neighbours, so a cut one
// character off shows up.
std::string Numbered(std::size_t length) {
  std::string s;
  for (std::size_t i = 0; i < length; ++i) s += static_cast<char>('0' + i % 10);
  return s;
}

// The text of a table's fields from the given one on, a number standing for so
// many digits.
std::string TextOf(const testing::Fields& in, size_t from) {
  std::string text;
  for (size_t i = from; i < in.size(); ++i)
    text += std::isdigit(in[i][0]) != 0 ? Numbered(std::stoul(in[i])) : in[i];
  return text;
}

TEST(StatusBar, LongTextsAreCutToTheRoomWithTheFullTextInTheHint) {
  ScriptedPerson person;
  StatusBar bar{person};
  using Measure = std::function<int(std::string_view)>;
  const std::map<std::string, Measure> measures = {
      {"default", nullptr},
      {"W20",
       [](std::string_view s) {
         int w = 0;
         for (char c : s) w += c == 'W' ? 20 : 5;
         return w;
       }},
      {"count", [](std::string_view s) { return static_cast<int>(s.size()); }},
      {"huge", [](std::string_view s) { return s.empty() ? 0 : 1'000'000; }}};
  testing::ExpectCaseTable("common/status_bar_cut.txt", [&](const testing::Fields& in) {
    bar.SetTextMeasure(measures.at(in[0]), std::stoi(in[1]));
    bar.ClearMessages();
    bar.ShowStatus(TextOf(in, 2));
    return testing::Fields{bar.Text(), bar.Hint()};
  });
}

TEST(StatusBar, OperationsInOrder) {
  std::unique_ptr<ScriptedPerson> person;
  std::unique_ptr<StatusBar> bar;
  ConnectionList keep;
  const auto fresh = [&] {
    keep.Clear();
    bar.reset();
    person = std::make_unique<ScriptedPerson>();
    bar = std::make_unique<StatusBar>(*person);
    keep.Add(bar->changed.Connect([&] {
      person->Note("repaint " + bar->Text() + " " + "NWE"[static_cast<int>(bar->Colour())]);
    }));
    keep.Add(bar->messageReported.Connect([&](StatusMessageKind k, const std::string& t) {
      person->Note("message " + std::to_string(static_cast<int>(k)) + " " + t);
    }));
  };
  fresh();
  const std::map<std::string, std::function<void(const std::string&)>> ops = {
      {"new bar", [&](auto&) { fresh(); }},
      {"status", [&](auto& text) { bar->ShowStatus(text); }},
      {"warning", [&](auto& text) { bar->ShowWarning(text); }},
      {"error", [&](auto& text) { bar->ShowError(text); }},
      {"error, go on", [&](auto& text) { bar->ShowError(text, true); }},
      {"add error, go on", [&](auto& text) { bar->AddError(text, true); }},
      {"error and abort", [&](auto& text) { bar->ShowErrorAndAbort(text); }},
      {"add error and abort", [&](auto& text) { bar->AddErrorAndAbort(text); }},
      {"fatal", [&](auto& text) { bar->ShowFatal(text); }},
      {"clear", [&](auto&) { bar->ClearMessages(); }},
      {"click", [&](auto&) { bar->Click(); }},
      {"double click", [&](auto&) { bar->DoubleClick(); }},
      {"message boxes", [&](auto&) { bar->SetUseMessageBox(true); }},
      {"own click",
       [&](auto&) { keep.Add(bar->clicked.Connect([&] { person->Note("own click"); })); }},
      {"own double click", [&](auto&) {
         keep.Add(bar->doubleClicked.Connect([&] { person->Note("own double click"); }));
       }}};
  testing::ExpectCaseTable("common/status_bar.txt", [&](const testing::Fields& in) {
    person->transcript.clear();
    try {
      ops.at(in[0])(TextOf(in, 1));
    } catch (const OperationAbort&) {
      person->Note("aborted");
    }
    testing::Fields out;
    std::istringstream heard(person->transcript);
    for (std::string line; std::getline(heard, line);) {
      for (const auto& [shown, byte] : {std::pair{"\\r", "\r"}, {"\\n", "\n"}})
        for (size_t at; (at = line.find(shown)) != std::string::npos;) line.replace(at, 2, byte);
      out.push_back(line);
    }
    out.push_back("bar " + bar->Text() + " (" + "NWE"[static_cast<int>(bar->Colour())] + ")");
    if (!bar->Hint().empty()) out.push_back("hint " + bar->Hint());
    if (!bar->MessageList().empty()) out.push_back("list " + bar->MessageList());
    return out;
  });
}

}  // namespace
}  // namespace korvane
