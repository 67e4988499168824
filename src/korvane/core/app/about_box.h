#pragma once
// How the About box lays out its free text: hidden when empty, left-aligned
// when it starts with "@" (not shown), otherwise centred; 19 pixels a line.

#include <string>

namespace korvane {

struct AboutMemoLayout {
  bool visible = false;
  bool leftAligned = false;
  std::string text;
  int height = 0;
};

AboutMemoLayout LayoutAboutMemo(const std::string& memoContent);

}  // namespace korvane
