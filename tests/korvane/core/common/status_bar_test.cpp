#include "korvane/core/common/status_bar.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "korvane/core/common/operation_abort.h"
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

const std::string kErrorsHead = "The following errors occured....\r\n\r\n";
const std::string kErrorHead = "The following error occured....\r\n\r\n";
const std::string kMany = "More than one message, click here to get them!";

class StatusBarTest : public ::testing::Test {
 protected:
  void ExpectShown(const std::string& text, const std::string& hint) {
    EXPECT_EQ(bar.Text(), text);
    EXPECT_EQ(bar.Hint(), hint);
  }
  void ExpectShown(const std::string& text, StatusColour colour) {
    EXPECT_EQ(bar.Text(), text);
    EXPECT_EQ(bar.Colour(), colour);
  }
  ScriptedPerson person;
  StatusBar bar{person};
};

TEST_F(StatusBarTest, EverythingAfterTheFirstErrorJoinsTheListAndAClickShowsIt) {
  EXPECT_THROW(bar.ShowError("broken"), OperationAbort);
  EXPECT_EQ(bar.MessageList(), "");  // a single shown error is not a list

  bar.AddError("e1", true);
  ExpectShown("e1", StatusColour::Error);  // the first entry is shown as it is
  EXPECT_EQ(bar.MessageList(), "- e1");
  bar.ShowWarning("w");
  bar.ShowStatus("s");
  bar.ShowError("e2", true);
  ExpectShown(kMany, StatusColour::Error);
  EXPECT_THROW(bar.ShowError("e3"), OperationAbort);
  EXPECT_THROW(bar.ShowErrorAndAbort("e4"), OperationAbort);
  EXPECT_THROW(bar.AddErrorAndAbort("e5"), OperationAbort);
  // With a list running even an empty text is an entry, not a clear.
  EXPECT_THROW(bar.ShowErrorAndAbort(""), OperationAbort);
  bar.ShowError("", true);
  const std::string list = "- e1\r\n- w\r\n- s\r\n- e2\r\n- e3\r\n- e4\r\n- e5\r\n- \r\n- ";
  EXPECT_EQ(bar.MessageList(), list);
  ExpectShown(kMany, list);
  EXPECT_TRUE(person.asked.empty());  // without message boxes only a click shows it

  bar.Click();
  bar.DoubleClick();
  ASSERT_EQ(person.AskedTexts(), std::vector<std::string>(2, kErrorsHead + list));
  EXPECT_EQ(person.asked[1].kind, MessageKind::Error);
  EXPECT_EQ(person.asked[1].buttons, Buttons{Button::Ok});

  bar.ClearMessages();
  EXPECT_EQ(bar.Text() + bar.Hint() + bar.MessageList(), "");
  bar.ShowWarning("alone");
  ExpectShown("alone", StatusColour::Warning);
  EXPECT_EQ(bar.MessageList(), "");
  bar.ShowStatus("s");
  EXPECT_EQ(bar.Colour(), StatusColour::Neutral);
  EXPECT_EQ(person.beeps, 11);  // every entry and warning beeps; status and clearing do not
  // The palette values are BGR-packed RGB(255,128,128) and RGB(88,84,250).
  EXPECT_EQ(StatusBar::kColorErr, (128u << 16) | (128u << 8) | 255u);
  EXPECT_EQ(StatusBar::kColorWarn, (250u << 16) | (84u << 8) | 88u);
}

TEST_F(StatusBarTest, LongTextsAreCutWithTheFullTextInTheHint) {
  const std::string long200 = Numbered(200);
  // Default measure: 800 px at 8 px a character, less 24 for the dots.
  bar.ShowError(long200, true);
  ExpectShown(long200.substr(0, 95) + "...", long200.substr(0, 95) + "\r\n" + long200.substr(95));
  bar.Click();
  EXPECT_EQ(person.AskedTexts(), std::vector<std::string>{kErrorHead + bar.Hint()});

  // On a wide bar a text of 126 characters or more is still cut at 120.
  bar.SetTextMeasure(nullptr, 5000);
  bar.ShowStatus(Numbered(126));
  ExpectShown(Numbered(120) + "...", Numbered(120) + "\r\n" + Numbered(126).substr(120));
  bar.ShowStatus(Numbered(125));
  ExpectShown(Numbered(125), "");

  // Exactly filling the room is not too wide: 97 * 8 = 800 - 24.
  bar.SetTextMeasure(nullptr, 800);
  bar.ShowStatus(Numbered(97));
  EXPECT_EQ(bar.Text(), Numbered(97));
  bar.ShowStatus(Numbered(98));
  EXPECT_EQ(bar.Text(), Numbered(93) + "...");

  // A fatal error is always shown whole.
  EXPECT_THROW(bar.ShowFatal(long200), OperationAbort);
  EXPECT_EQ(bar.Text(), long200);
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
  ASSERT_EQ(person.AskedTexts(), std::vector<std::string>{kErrorHead + "Copying..."});

  // Clearing drops the hint of a shortened text too, and an empty bar has
  // nothing to show on a click.
  bar.ShowWarning(long150);
  ASSERT_FALSE(bar.Hint().empty());
  bar.ClearMessages();
  EXPECT_EQ(bar.Hint(), "");
  bar.Click();
  EXPECT_EQ(person.asked.size(), 1u);

  // Bare dots with no hint behind them are shown as they are.
  bar.ShowError("...", true);
  bar.Click();
  EXPECT_EQ(person.asked.back().text, kErrorHead + "...");
}

TEST_F(StatusBarTest, ShorteningUsesTheViewsPixelWidths) {
  // Capital W is four times as wide as anything else; room: 100 - 15 = 85.
  bar.SetTextMeasure(
      [&](std::string_view s) {
        int w = 0;
        for (char c : s) w += c == 'W' ? 20 : 5;
        return w;
      },
      100);
  bar.ShowStatus(std::string(17, 'a'));  // 85 px: fits exactly
  EXPECT_EQ(bar.Text(), std::string(17, 'a'));
  bar.ShowStatus(std::string(18, 'a'));  // 90 px: cut at 13
  EXPECT_EQ(bar.Text(), std::string(13, 'a') + "...");
  // By character count ten would fit; the wide letters push the cut to five.
  bar.ShowStatus("aaWWWbbbbbccccc");
  ExpectShown("aaWWW...", "aaWWW\r\nbbbbbccccc");

  // A bar narrower than the dots still leaves room for ten pixels.
  bar.SetTextMeasure([](std::string_view s) { return static_cast<int>(s.size()); }, 8);
  bar.ShowStatus(Numbered(20));
  EXPECT_EQ(bar.Text(), Numbered(10) + "...");

  // No room at all still ends the cut.
  bar.SetTextMeasure(nullptr, 0);
  bar.ShowStatus(Numbered(200));
  ExpectShown("...", "\r\n" + Numbered(200));
  // Characters too wide for any bar, in a text shorter than the step.
  bar.SetTextMeasure([](std::string_view s) { return s.empty() ? 0 : 1'000'000; }, -50);
  EXPECT_THROW(bar.ShowError("abc"), OperationAbort);
  EXPECT_EQ(bar.Text(), "...");
  bar.Click();
  EXPECT_EQ(person.AskedTexts(), std::vector<std::string>{kErrorHead + "\r\nabc"});

  // An empty measure function brings back the fixed-width default.
  bar.SetTextMeasure(nullptr, 800);
  bar.ShowStatus("abc");
  ExpectShown("abc", "");
}

TEST_F(StatusBarTest, EmptyErrorsClearInsteadOfAborting) {
  std::vector<std::string> messages;
  bar.onMessage = [&](StatusMessageKind, const std::string& t) { messages.push_back(t); };
  bar.ShowError("bad", true);
  EXPECT_NO_THROW(bar.ShowErrorAndAbort(""));
  ExpectShown("", StatusColour::Neutral);
  bar.ShowWarning("careful");
  EXPECT_NO_THROW(bar.ShowError(""));
  ExpectShown("", StatusColour::Neutral);
  EXPECT_EQ(person.beeps, 2);  // the clears make no sound
  EXPECT_EQ(messages, (std::vector<std::string>{"bad", "careful"}));

  EXPECT_THROW(bar.ShowErrorAndAbort("real"), OperationAbort);
  EXPECT_EQ(bar.Text(), "real");
  EXPECT_EQ(bar.MessageList(), "");
}

TEST_F(StatusBarTest, FatalAlwaysAsksWithAbortAndEmptiesTheList) {
  bar.AddError("a", true);
  bar.AddError("b", true);
  EXPECT_THROW(bar.ShowFatal("cannot go on"), OperationAbort);
  ExpectShown("cannot go on", StatusColour::Error);
  EXPECT_EQ(person.beeps, 3);
  ASSERT_EQ(person.AskedTexts(), std::vector<std::string>{"cannot go on"});
  EXPECT_EQ(person.asked[0].kind, MessageKind::Error);
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
  bar.onClick = [&] { ++clicks; };
  bar.Click();
  bar.DoubleClick();  // no handler of its own: the built-in dialog
  bar.onDblClick = [&] { clicks += 10; };
  bar.DoubleClick();
  EXPECT_EQ(clicks, 11);
  EXPECT_EQ(person.AskedTexts(), std::vector<std::string>{kErrorHead + "oops"});
}

TEST_F(StatusBarTest, ListenersHearEveryChangeBeforeAnyMessageBox) {
  bar.SetUseMessageBox(true);
  std::vector<std::string> repaints;
  std::vector<std::pair<StatusMessageKind, std::string>> messages;
  bar.onChanged = [&] {
    repaints.push_back(bar.Text() + "|" + std::to_string(person.asked.size()));
  };
  bar.onMessage = [&](StatusMessageKind k, const std::string& t) { messages.emplace_back(k, t); };

  bar.ShowStatus("s");
  bar.ShowStatus("");  // blanking the bar is no message
  bar.ShowWarning("w");
  EXPECT_THROW(bar.ShowError("e"), OperationAbort);
  bar.AddError("a", true);
  bar.ShowStatus("s2");
  bar.ShowError("e2", true);
  EXPECT_THROW(bar.AddErrorAndAbort("b"), OperationAbort);
  bar.ClearMessages();
  EXPECT_NO_THROW(bar.ShowErrorAndAbort(""));
  EXPECT_THROW(bar.ShowErrorAndAbort("x"), OperationAbort);
  EXPECT_THROW(bar.ShowFatal("f"), OperationAbort);

  // Each repaint happens while the number of dialogs is still the old one.
  const std::vector<std::string> expectedRepaints = {
      "s|0",        "|0",         "w|0", "e|1", "a|2", kMany + "|3",
      kMany + "|4", kMany + "|5", "|6",  "|6",  "x|6", "f|7"};
  EXPECT_EQ(repaints, expectedRepaints);

  // A text that joins the list keeps the kind it was reported with.
  using K = StatusMessageKind;
  const std::vector<std::pair<K, std::string>> expectedMessages = {
      {K::Status, "s"}, {K::Warning, "w"}, {K::Error, "e"}, {K::Error, "a"}, {K::Status, "s2"},
      {K::Error, "e2"}, {K::Error, "b"},   {K::Error, "x"}, {K::Fatal, "f"}};
  EXPECT_EQ(messages, expectedMessages);

  // Every warning and error gets a box, a list shown whole; status texts get none.
  const std::vector<std::string> expectedBoxes = {
      "w", "e", "- a", "- a\r\n- s2", "- a\r\n- s2\r\n- e2", "- a\r\n- s2\r\n- e2\r\n- b",
      "x", "f"};
  ASSERT_EQ(person.AskedTexts(), expectedBoxes);
  for (std::size_t i = 0; i + 1 < person.asked.size(); ++i) {  // the fatal one has its own test
    EXPECT_EQ(person.asked[i].kind, i == 0 ? MessageKind::Warning : MessageKind::Error) << i;
    EXPECT_EQ(person.asked[i].buttons, Buttons{Button::Ok}) << i;
  }
}

}  // namespace
}  // namespace korvane
