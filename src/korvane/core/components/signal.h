#pragma once
// A minimal notification list: the model announces changes, views listen.

#include <functional>
#include <utility>
#include <vector>

namespace korvane {

template <typename... Args>
class Signal {
 public:
  using Slot = std::function<void(Args...)>;

  void Connect(Slot slot) { slots_.push_back(std::move(slot)); }

  void Emit(Args... args) const {
    // A slot may connect further slots; iterate over a stable count.
    const size_t count = slots_.size();
    for (size_t i = 0; i < count; ++i) slots_[i](args...);
  }

 private:
  std::vector<Slot> slots_;
};

}  // namespace korvane
