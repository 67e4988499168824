#pragma once
// Runs a function when the scope ends, however it ends: operations that may abort
// half-way restore flags, sorting and progress displays through it.

#include <utility>

namespace korvane {

template <typename F>
class [[nodiscard]] ScopeExit {
 public:
  explicit ScopeExit(F f) : f_(std::move(f)) {}
  ~ScopeExit() { f_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  F f_;
};

}  // namespace korvane
