#include "korvane/core/common/status_bar.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "korvane/core/common/operation_abort.h"
#include "support/golden.h"
#include "support/inner_case_table.h"
#include "support/scripted_person.h"

namespace korvane {
namespace {

using testing::ScriptedPerson;
using Texts = std::vector<std::string>;

// A text whose every prefix differs from its neighbours, so a cut one
// character off shows up.
std::string Numbered(std::size_t length) {
  std::string s;
  for (std::size_t i = 0; i < length; ++i) s += static_cast<char>('0' + i % 10);
  return s;
}

const std::string kErrorHead = "The following error occured....\r\n\r\n";
const std::string kMany = "More than one message, click here to get them!";

class StatusBarTest : public ::testing::Test {
 protected:
  void ExpectShown(const std::string& text, const std::string& hint) {
    EXPECT_EQ(bar.Text(), text);
    EXPECT_EQ(bar.Hint(), hint);
  }
  ScriptedPerson person;
  StatusBar bar{person};
};

TEST_F(StatusBarTest, LongTextsAreCutToTheRoomWithTheFullTextInTheHint) {
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
    std::string text;
    for (size_t i = 2; i < in.size(); ++i)
      text += std::isdigit(in[i][0]) != 0 ? Numbered(std::stoul(in[i])) : in[i];
    bar.SetTextMeasure(measures.at(in[0]), std::stoi(in[1]));
    bar.ClearMessages();
    bar.ShowStatus(text);
    return testing::Fields{bar.Text(), bar.Hint()};
  });
  // A click shows the whole text; a fatal error is never cut.
  bar.ShowStatus(Numbered(200));
  bar.Click();
  EXPECT_EQ(person.AskedTexts(), Texts{kErrorHead + bar.Hint()});
  EXPECT_THROW(bar.ShowFatal(Numbered(200)), OperationAbort);
  EXPECT_EQ(bar.Text(), Numbered(200));
}

TEST_F(StatusBarTest, AShortTextAfterAShortenedOneDropsTheStaleHint) {
  const std::string long150 = Numbered(150);
  // Dots inside the kept part of the shortened text do not hide that the
  // hint belongs to it.
  bar.ShowStatus("Step... " + long150);
  ASSERT_EQ(bar.Text().substr(0, 8), "Step... ");
  bar.ShowStatus("Copying...");
  ExpectShown("Copying...", "");
  bar.Click();
  ASSERT_EQ(person.AskedTexts(), Texts{kErrorHead + "Copying..."});

  // Clearing drops the hint of a shortened text too, and an empty bar has
  // nothing to show on a click.
  bar.ShowWarning(long150);
  bar.ClearMessages();
  EXPECT_EQ(bar.Hint(), "");
  bar.Click();
  EXPECT_EQ(person.asked.size(), 1u);
}

TEST_F(StatusBarTest, EmptyErrorsClearInsteadOfAborting) {
  Texts messages;
  ConnectionList keep;
  keep.Add(bar.messageReported.Connect(
      [&](StatusMessageKind, const std::string& t) { messages.push_back(t); }));
  bar.ShowError("bad", true);
  EXPECT_NO_THROW(bar.ShowErrorAndAbort(""));
  EXPECT_EQ(bar.Text(), "");
  bar.ShowWarning("careful");
  EXPECT_NO_THROW(bar.ShowError(""));
  EXPECT_EQ(bar.Text(), "");
  EXPECT_EQ(bar.Colour(), StatusColour::Neutral);
  EXPECT_EQ(person.beeps, 2);  // the clears make no sound
  EXPECT_EQ(messages, (Texts{"bad", "careful"}));
}

TEST_F(StatusBarTest, FatalAlwaysAsksWithAbortAndEmptiesTheList) {
  bar.AddError("a", true);
  bar.AddError("b", true);
  EXPECT_THROW(bar.ShowFatal("cannot go on"), OperationAbort);
  ASSERT_EQ(person.AskedTexts(), Texts{"cannot go on"});
  EXPECT_EQ(person.asked[0].buttons, Buttons{Button::Abort});

  // The list is gone: a click shows the fatal text, the next error starts afresh.
  bar.Click();
  EXPECT_EQ(person.asked.back().text, kErrorHead + "cannot go on");
  bar.AddError("c", true);
  EXPECT_EQ(bar.MessageList(), "- c");
}

TEST_F(StatusBarTest, ClickHandlersReplaceTheBuiltInDialog) {
  bar.ShowError("oops", true);
  int clicks = 0;
  ConnectionList keep;
  keep.Add(bar.clicked.Connect([&] { ++clicks; }));
  bar.Click();
  bar.DoubleClick();  // no handler of its own: the built-in dialog
  keep.Add(bar.doubleClicked.Connect([&] { clicks += 10; }));
  bar.DoubleClick();
  EXPECT_EQ(clicks, 11);
  EXPECT_EQ(person.AskedTexts(), Texts{kErrorHead + "oops"});
}

// Every warning and error gets a box (a list shown whole as far as it goes) and a beep;
// status texts get none; listeners hear a text before its box, each repaint comes while
// the number of boxes is still the old one, and a click shows the list under its heading.
TEST_F(StatusBarTest, EverythingAfterTheFirstErrorJoinsTheListAndListenersHearItFirst) {
  bar.SetUseMessageBox(true);
  ConnectionList keep;
  keep.Add(bar.changed.Connect(
      [&] { person.Note("repaint " + bar.Text() + " " + "NWE"[static_cast<int>(bar.Colour())]); }));
  keep.Add(bar.messageReported.Connect([&](StatusMessageKind k, const std::string& t) {
    person.Note("message " + std::to_string(static_cast<int>(k)) + " " + t);
  }));
  bar.ShowStatus("s");
  bar.ShowStatus("");  // blanking the bar is no message
  bar.ShowWarning("w");
  EXPECT_THROW(bar.ShowError("e"), OperationAbort);
  EXPECT_EQ(bar.MessageList(), "");  // a single shown error is not a list
  bar.AddError("a", true);           // the first entry is shown as it is
  bar.ShowStatus("s2");
  bar.ShowWarning("w2");
  bar.ShowError("e2", true);
  EXPECT_THROW(bar.AddErrorAndAbort("b"), OperationAbort);
  EXPECT_THROW(bar.ShowErrorAndAbort("e3"), OperationAbort);
  // With a list running even an empty text is an entry, not a clear.
  EXPECT_THROW(bar.ShowErrorAndAbort(""), OperationAbort);
  ExpectShown(kMany, "- a\r\n- s2\r\n- w2\r\n- e2\r\n- b\r\n- e3\r\n- ");
  EXPECT_EQ(bar.MessageList(), bar.Hint());
  bar.Click();
  bar.ClearMessages();
  EXPECT_EQ(bar.Text() + bar.Hint() + bar.MessageList(), "");
  EXPECT_THROW(bar.ShowErrorAndAbort("x"), OperationAbort);
  EXPECT_THROW(bar.ShowFatal("f"), OperationAbort);
  testing::ExpectGolden("common/status_bar_list.txt", person.transcript);
}

}  // namespace
}  // namespace korvane
