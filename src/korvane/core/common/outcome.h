#pragma once
// What a call that can fail answers when it has nothing else to give: that it worked, or
// why not, as a text to show (the caller adds what it was doing). Calls that give a value
// on success answer a Result<T>. The status bar's abort, which ends the person's
// operation, stays the one exception a core call raises on purpose.

#include <optional>
#include <string>
#include <utility>

namespace korvane {

class [[nodiscard]] Outcome {
 public:
  Outcome() = default;  // it worked
  static Outcome Failure(std::string why) {
    Outcome failed;
    failed.why_ = why.empty() ? std::string("failed") : std::move(why);
    return failed;
  }
  // At the boundary to the platform layer, whose calls answer an empty text for success.
  static Outcome FromReason(std::string why) {
    return why.empty() ? Outcome() : Failure(std::move(why));
  }

  bool Ok() const { return why_.empty(); }
  explicit operator bool() const { return Ok(); }
  const std::string& Why() const { return why_; }

 private:
  std::string why_;
};

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}              // NOLINT: a value is a success
  Result(Outcome failure) : failure_(std::move(failure)) {}  // NOLINT: so is a failure
  bool Ok() const { return value_.has_value(); }
  explicit operator bool() const { return Ok(); }
  const std::string& Why() const { return failure_.Why(); }
  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }

 private:
  std::optional<T> value_;
  Outcome failure_;
};

}  // namespace korvane
