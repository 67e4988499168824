#include "korvane/core/app/about_box.h"

#include "korvane/core/common/text.h"

namespace korvane {

AboutMemoLayout LayoutAboutMemo(const std::string& memoContent) {
  AboutMemoLayout layout;
  if (memoContent.empty()) return layout;
  layout.visible = true;
  layout.leftAligned = memoContent.front() == '@';
  layout.text = layout.leftAligned ? memoContent.substr(1) : memoContent;
  layout.height = 19 * static_cast<int>(SplitLines(layout.text).size());
  return layout;
}

}  // namespace korvane
