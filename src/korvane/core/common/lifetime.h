#pragma once
// What posted work carries of its owner: work wrapped by Guard runs only while the
// owner, which holds the Lifetime, still exists; posted for an owner that is gone, it is
// dropped.

#include <functional>
#include <memory>
#include <utility>

namespace korvane {

class Lifetime {
 public:
  Lifetime() = default;
  Lifetime(const Lifetime&) = delete;
  Lifetime& operator=(const Lifetime&) = delete;

  std::function<void()> Guard(std::function<void()> work) const {
    return [alive = std::weak_ptr<const int>(token_), work = std::move(work)] {
      if (!alive.expired()) work();
    };
  }

 private:
  std::shared_ptr<const int> token_ = std::make_shared<const int>(0);
};

}  // namespace korvane
