#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "korvane/core/components/signal.h"

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
  struct Case {
    const char* name;
    // The slot at position 1 of slots 0..2 acts on the handles; returns what it did.
    std::function<void(std::vector<Connection>&, Signal<>&, Log&, ConnectionList&)> act;
    Log firstEmit;
    Log secondEmit;
  };
  const std::vector<Case> cases = {
      {"disconnects itself",
       [](auto& h, auto&, auto&, auto&) { h[1].Disconnect(); },
       {"s0", "s1", "s2"},
       {"s0", "s2"}},
      {"disconnects a later slot",
       [](auto& h, auto&, auto&, auto&) { h[2].Disconnect(); },
       {"s0", "s1"},
       {"s0", "s1"}},
      {"disconnects an earlier slot",
       [](auto& h, auto&, auto&, auto&) { h[0].Disconnect(); },
       {"s0", "s1", "s2"},
       {"s1", "s2"}},
      {"connects a new slot",
       [](auto&, auto& signal, auto& log, auto& extra) {
         if (extra.Size() == 0) extra.Add(signal.Connect([&log] { log.push_back("new"); }));
       },
       {"s0", "s1", "s2"},
       {"s0", "s1", "s2", "new"}},
      {"destroys every handle",
       [](auto& h, auto&, auto&, auto&) {
         for (auto& c : h) c = Connection();
       },
       {"s0", "s1"},
       {}},
  };
  for (const Case& c : cases) {
    Signal<> signal;
    Log log;
    ConnectionList extra;
    std::vector<Connection> handles(3);
    for (int i = 0; i < 3; ++i) {
      handles[static_cast<size_t>(i)] = signal.Connect([&, i] {
        log.push_back("s" + std::to_string(i));
        if (i == 1) c.act(handles, signal, log, extra);
      });
    }
    signal.Emit();
    EXPECT_EQ(log, c.firstEmit) << c.name;
    log.clear();
    signal.Emit();
    EXPECT_EQ(log, c.secondEmit) << c.name;
  }
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

}  // namespace
}  // namespace korvane
