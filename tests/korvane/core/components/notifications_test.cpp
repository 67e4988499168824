#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "korvane/core/common/comma_text.h"
#include "korvane/core/common/signal.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/form_model.h"
#include "korvane/core/components/lists.h"
#include "support/inner_case_table.h"

namespace korvane {
namespace {

using Log = std::vector<std::string>;

TEST(Connection, EndsWithItsHandleAndMovesWithIt) {
  Signal<int> signal;
  Log log;
  {
    const Connection scoped =
        signal.Connect([&](int v) { log.push_back("a" + std::to_string(v)); });
    signal.Emit(1);
  }
  signal.Emit(2);  // the handle is gone: so is the slot

  Connection moved = signal.Connect([&](int v) { log.push_back("b" + std::to_string(v)); });
  {
    Connection taker = std::move(moved);
    moved.Disconnect();  // the moved-from handle holds nothing
    signal.Emit(3);
    EXPECT_TRUE(taker.Connected());
    moved = std::move(taker);
  }
  signal.Emit(4);  // back in the first handle, still connected

  Connection replaced = signal.Connect([&](int) { log.push_back("c"); });
  replaced = signal.Connect([&](int) { log.push_back("d"); });  // ends the "c" slot
  moved.Disconnect();
  moved.Disconnect();
  EXPECT_FALSE(moved.Connected());
  signal.Emit(5);
  EXPECT_EQ(log, (Log{"a1", "b3", "b4", "d"}));
  EXPECT_EQ(signal.SlotCount(), 1u);

  ConnectionList list;
  for (int i = 0; i < 3; ++i) list.Add(signal.Connect([&](int) { log.push_back("e"); }));
  EXPECT_EQ(signal.SlotCount(), 4u);
  list.Clear();
  EXPECT_EQ(signal.SlotCount(), 1u);
}

// What a slot does to the slots around it while the signal is being emitted.
TEST(Signal, SlotsMayChangeTheListDuringAnEmit) {
  using Act = std::function<void(std::vector<Connection>&, Signal<>&, Log&, ConnectionList&)>;
  const std::map<std::string, Act> acts = {
      {"disconnects itself", [](auto& h, auto&, auto&, auto&) { h[1].Disconnect(); }},
      {"disconnects a later slot", [](auto& h, auto&, auto&, auto&) { h[2].Disconnect(); }},
      {"disconnects an earlier slot", [](auto& h, auto&, auto&, auto&) { h[0].Disconnect(); }},
      {"connects a new slot",
       [](auto&, auto& signal, auto& log, auto& extra) {
         if (extra.Size() == 0) extra.Add(signal.Connect([&log] { log.push_back("new"); }));
       }},
      {"destroys every handle", [](auto& h, auto&, auto&, auto&) {
         for (auto& c : h) c = Connection();
       }}};
  testing::ExpectCaseTable("components/signal_changes.txt", [&](const Log& in) {
    Signal<> signal;
    Log log;
    ConnectionList extra;
    std::vector<Connection> handles(3);
    for (int i = 0; i < 3; ++i) {
      handles[static_cast<size_t>(i)] = signal.Connect([&, i] {
        log.push_back("s" + std::to_string(i));
        if (i == 1) acts.at(in[0])(handles, signal, log, extra);
      });
    }
    Log emits;
    for (int emit = 0; emit < 2; ++emit, log.clear()) {
      signal.Emit();
      emits.push_back(ToCommaText(log));
    }
    return emits;
  });
}

TEST(Signal, NestedEmitsAndDisconnectsKeepEverySlotOnce) {
  Signal<int> signal;
  Log log;
  Connection inner;
  Connection outer = signal.Connect([&](int depth) {
    log.push_back("outer" + std::to_string(depth));
    if (depth == 0) {
      signal.Emit(1);
      outer.Disconnect();  // while the outermost emit still runs
    }
  });
  inner = signal.Connect([&](int depth) {
    log.push_back("inner" + std::to_string(depth));
    if (depth == 1) inner.Disconnect();
  });
  signal.Emit(0);
  EXPECT_EQ(log, (Log{"outer0", "outer1", "inner1"}));
  EXPECT_EQ(signal.SlotCount(), 0u);
}

TEST(Signal, HandlesOutliveTheSignalAndASlotMayDestroyIt) {
  Connection survivor;
  Log log;
  {
    Signal<> signal;
    survivor = signal.Connect([&] { log.push_back("x"); });
    EXPECT_TRUE(survivor.Connected());
  }
  EXPECT_FALSE(survivor.Connected());
  survivor.Disconnect();  // nothing left to end, and no crash

  // A slot that destroys the signal's owner: later slots are not called.
  auto owner = std::make_unique<Signal<>>();
  const Connection first = owner->Connect([&] {
    log.push_back("first");
    owner.reset();
  });
  const Connection second = owner->Connect([&] { log.push_back("second"); });
  owner->Emit();
  EXPECT_EQ(log, (Log{"first"}));
  EXPECT_FALSE(second.Connected());
}

TEST(Memo, ContentGoesThroughResetAndAppendsPropertiesThroughChanged) {
  Memo memo("MemoCaptureConsole", "");
  Log events;
  ConnectionList keep;
  keep.Add(memo.reset.Connect([&] { events.push_back("reset"); }));
  keep.Add(memo.linesAppended.Connect([&](size_t first, size_t count) {
    events.push_back("append " + std::to_string(first) + "+" + std::to_string(count));
  }));
  keep.Add(memo.changed.Connect([&] { events.push_back("changed"); }));
  testing::ExpectCaseTable("components/memo.txt", [&](const Log& in) {
    const Log lines(in.begin() + 1, in.end());
    events.clear();
    if (in[0] == "append") memo.AppendLine(in[1]);
    if (in[0] == "append lines") memo.AppendLines(lines);
    if (in[0] == "read-only") memo.SetReadOnly(true);
    if (in[0] == "set lines") memo.SetLines(lines);
    if (in[0] == "type") memo.UserEdit(lines);
    if (in[0] == "clear") memo.Clear();
    events.push_back(ToCommaText(memo.Lines()) + (memo.Modified() ? " (edited)" : ""));
    return events;
  });
}

TEST(CheckList, AnnouncesRowsSelectionAndResets) {
  CheckList list("ListBoxSources", "");
  Log events;
  ConnectionList keep;
  const auto rows = [&](const char* what) {
    return [&events, what](size_t first, size_t count) {
      events.push_back(std::string(what) + " " + std::to_string(first) + "+" +
                       std::to_string(count));
    };
  };
  keep.Add(list.rowsInserted.Connect(rows("ins")));
  keep.Add(list.rowsRemoved.Connect(rows("rem")));
  keep.Add(list.rowsChanged.Connect(rows("chg")));
  keep.Add(list.reset.Connect([&] { events.push_back("reset"); }));
  keep.Add(list.selectionChanged.Connect(
      [&] { events.push_back("sel " + std::to_string(list.ItemIndex())); }));
  keep.Add(list.changed.Connect([&] { events.push_back("changed"); }));
  testing::ExpectCaseTable("components/check_list.txt", [&](const Log& in) {
    const auto at = [&](size_t i) { return static_cast<size_t>(std::stoul(in[i])); };
    events.clear();
    try {
      if (in[0] == "add") list.Add({in[1]});
      if (in[0] == "insert") list.Insert(at(1), {in[2]});
      if (in[0] == "highlight") list.SetItemIndex(std::stoi(in[1]));
      if (in[0] == "check") list.SetChecked(at(1), true);
      if (in[0] == "item") list.SetItem(at(1), {in[2], in[3] == "checked", in[4] == "enabled"});
      if (in[0] == "remove") list.RemoveAt(at(1));
      if (in[0] == "touch") list.Touch();
      if (in[0] == "refill") {
        list.MutableItems().clear();
        for (size_t i = 1; i < in.size(); ++i) list.MutableItems().push_back({in[i]});
        list.Touch();
      }
      if (in[0] == "items") list.SetItems({{in[1]}});
      if (in[0] == "width") list.SetScrollWidth(std::stoi(in[1]));
      if (in[0] == "clear") list.Clear();
    } catch (const std::out_of_range&) {
      events.push_back("out of range");
    }
    return events;
  });
}

}  // namespace
}  // namespace korvane
