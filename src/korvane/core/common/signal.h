#pragma once
// A minimal notification list: the model announces changes, views listen.
// Connect returns a handle; the connection ends when the handle is destroyed,
// so a listener that goes away cannot be called afterwards. Single-threaded.

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace korvane {

namespace detail {

// What a handle needs to end its connection without knowing the signal's
// argument types.
struct SlotRecord {
  bool connected = true;
};

class SlotListBase {
 public:
  virtual ~SlotListBase() = default;
  virtual void Remove(const SlotRecord* record) = 0;
};

}  // namespace detail

// Ends its connection when destroyed; moving hands the connection over.
class [[nodiscard]] Connection {
 public:
  Connection() = default;
  Connection(std::weak_ptr<detail::SlotListBase> list, std::weak_ptr<detail::SlotRecord> record)
      : list_(std::move(list)), record_(std::move(record)) {}
  ~Connection() { Disconnect(); }
  Connection(Connection&& other) noexcept = default;
  Connection& operator=(Connection&& other) noexcept {
    if (this != &other) {
      Disconnect();
      list_ = std::move(other.list_);
      record_ = std::move(other.record_);
    }
    return *this;
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Safe at any time: during an emit, after the signal is gone, twice.
  void Disconnect() {
    const auto record = record_.lock();
    record_.reset();
    if (!record || !record->connected) return;
    record->connected = false;
    if (const auto list = list_.lock()) list->Remove(record.get());
    list_.reset();
  }
  bool Connected() const {
    const auto record = record_.lock();
    return record && record->connected;
  }

 private:
  std::weak_ptr<detail::SlotListBase> list_;
  std::weak_ptr<detail::SlotRecord> record_;
};

// For owners that keep many connections: all end together.
class ConnectionList {
 public:
  void Add(Connection connection) { connections_.push_back(std::move(connection)); }
  void Clear() { connections_.clear(); }
  size_t Size() const { return connections_.size(); }

 private:
  std::vector<Connection> connections_;
};

template <typename... Args>
class Signal {
 public:
  using Slot = std::function<void(Args...)>;

  Signal() : list_(std::make_shared<List>()) {}
  // The slots go with the signal; their handles then do nothing.
  ~Signal() { list_->DisconnectAll(); }
  Signal(const Signal&) = delete;
  Signal& operator=(const Signal&) = delete;

  [[nodiscard]] Connection Connect(Slot slot) {
    auto entry = std::make_shared<Entry>();
    entry->slot = std::move(slot);
    list_->entries.push_back(entry);
    return Connection(list_, std::shared_ptr<detail::SlotRecord>(std::move(entry)));
  }

  // A slot may connect, disconnect (itself or others) or destroy the signal:
  // a slot connected during the emit waits for the next one, a disconnected
  // one is not called again.
  void Emit(Args... args) const {
    const std::shared_ptr<List> list = list_;  // outlives a signal destroyed by a slot
    const size_t count = list->entries.size();
    ++list->emitting;
    struct Done {
      List& list;
      ~Done() {
        if (--list.emitting == 0) list.Compact();
      }
    } done{*list};
    for (size_t i = 0; i < count; ++i) {
      // Held by pointer: the vector may grow while the slot runs; the entry
      // itself stays until the outermost emit has ended.
      Entry* entry = list->entries[i].get();
      if (entry->connected) entry->slot(args...);
    }
  }

  size_t SlotCount() const {
    size_t n = 0;
    for (const auto& entry : list_->entries) n += entry->connected ? 1 : 0;
    return n;
  }

 private:
  struct Entry : detail::SlotRecord {
    Slot slot;
  };

  struct List : detail::SlotListBase {
    std::vector<std::shared_ptr<Entry>> entries;
    int emitting = 0;
    bool dirty = false;

    void Remove(const detail::SlotRecord* record) override {
      // Erasing during an emit would move entries under the running loop.
      if (emitting > 0) {
        dirty = true;
        return;
      }
      for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->get() == record) {
          entries.erase(it);
          return;
        }
      }
    }
    void Compact() {
      if (!dirty) return;
      dirty = false;
      std::erase_if(entries, [](const auto& entry) { return !entry->connected; });
    }
    void DisconnectAll() {
      for (const auto& entry : entries) entry->connected = false;
      if (emitting > 0) {
        dirty = true;
      } else {
        entries.clear();
      }
    }
  };

  std::shared_ptr<List> list_;
};

}  // namespace korvane
