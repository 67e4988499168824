#pragma once
// Giving sources their wrapping type (one entry, all or the checked ones) through the
// type combo and its actions, and what the type asks of the label marker.

#include <string>

#include "korvane/core/common/signal.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/form/window_context.h"

namespace korvane {

class SourceLists;

class WrapTyping {
 public:
  explicit WrapTyping(SourceLists& lists);

  void WrapType(const std::string& code);
  void ComboClick();
  void ApplyToAll() { ApplyType(false); }
  void ApplyToChecked() { ApplyType(true); }
  void MarkToBeWrapped();
  // The label marker is opened on a source's path; without a listener marking is not
  // offered.
  Signal<const std::string&> markerRequested;
  // The selected entry's enabled state and the mark command after its marks may have
  // changed, without touching its type or the job's modified flag.
  void RefreshSelected();
  static constexpr const char* kNoMarker =
      "The label marker is not available in this version of the shell";
  // A click on a source line (or a navigation key released in the list).
  void HighlightSource(int index);
  void SetEntryWrapType(int index, const std::string& code);

 private:
  void ApplyType(bool checkedOnly);
  void EnableMarking(const std::string& code);

  SourceLists& lists_;
  WindowContext& context_;
  StringListHolder& marks_;
};

}  // namespace korvane
