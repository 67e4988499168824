#pragma once
// The width of a text in pixels as the view draws it, for layouts the core computes.

#include <string_view>

namespace korvane {

class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  virtual int Width(std::string_view text) const = 0;
};

}  // namespace korvane
