#pragma once
// The text shown by a viewer page, without any window toolkit: lines, coloured runs,
// the selection and the first visible line. The view mirrors it and reports the
// person's selection and scrolling back. Held as one buffer with line offsets, so a
// log of many megabytes costs one copy and one pass.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "korvane/core/common/signal.h"
#include "korvane/core/viewer/rtf.h"

namespace korvane {

class TextDocument {
 public:
  TextDocument();

  // Replaces the whole text; CR LF, CR and LF end lines, a final terminator adds an
  // empty last line as in a text control. Runs and selection are cleared.
  void SetPlainText(std::string_view text);
  // The same for text the document may keep: line ends are normalised in its own
  // buffer, so a big file is held once.
  void TakePlainText(std::string&& text);
  void SetLines(const std::vector<std::string>& lines);
  void SetStyled(const StyledText& styled);
  StyledText Styled() const;
  std::vector<std::string> Lines() const;

  // Appends text at the end (a growing log). The first appended bytes continue the last
  // line. Fires appended with the index of the first line that changed.
  void Append(std::string_view text);

  size_t LineCount() const { return starts_.size(); }
  // The count a line list of the text reports: a final line break adds no line.
  size_t ListLineCount() const {
    return text_.empty() ? 0 : (text_.back() == '\n' ? starts_.size() - 1 : starts_.size());
  }
  std::string_view Line(size_t index) const;
  // Character positions count one character per line break, as text controls do.
  size_t LineStart(size_t index) const { return starts_[index]; }
  size_t LineOf(size_t position) const;
  size_t Length() const { return text_.size(); }
  // The whole text with "\n" between lines.
  std::string_view Text() const { return text_; }

  // Coloured runs by absolute position, ordered, never overlapping.
  struct Run {
    size_t start = 0;
    size_t length = 0;
    std::uint32_t colour = 0;
  };
  const std::vector<Run>& Runs() const { return runs_; }
  // Colours a stretch; kWindowText removes any colour from it.
  static constexpr std::uint32_t kWindowText = 0xFFFFFFFF;
  void SetColour(size_t start, size_t length, std::uint32_t colour);

  size_t SelStart() const { return selStart_; }
  size_t SelLength() const { return selLength_; }
  std::string_view SelText() const;
  // Clamped to the text. Fires selectionChanged when something changed.
  void SetSelection(size_t start, size_t length);
  // The view reports the person's selection (no echo back to it).
  void SelectionFromView(size_t start, size_t length);

  size_t FirstVisibleLine() const { return firstVisible_; }
  void ScrollToLine(size_t line);
  void FirstVisibleFromView(size_t line) { firstVisible_ = line; }

  // The text was replaced.
  Signal<> reset;
  // The runs changed between these positions.
  Signal<size_t, size_t> coloured;
  Signal<> selectionChanged;  // by the program, for the view
  Signal<> selectionMoved;    // by anyone, for the line display
  Signal<> scrolled;
  Signal<size_t> appended;

 private:
  void IndexFrom(size_t from);

  std::string text_;
  std::vector<size_t> starts_;
  std::vector<Run> runs_;
  size_t selStart_ = 0;
  size_t selLength_ = 0;
  size_t firstVisible_ = 0;
  bool pendingCr_ = false;  // the text so far ended with a CR
};

}  // namespace korvane
