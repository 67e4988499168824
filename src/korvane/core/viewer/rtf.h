#pragma once
// A small rich-text writer and reader of our own: plain lines with coloured runs in one
// font, code page 1252 bytes kept as they are. Marked sources are stored this way.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// Colours are packed blue-green-red: 0xFF0000 is blue.
inline constexpr std::uint32_t kColourBlue = 0xFF0000;

// A coloured stretch of one line; text without a run has the window-text colour.
struct ColourRun {
  size_t line = 0;
  size_t column = 0;  // 0-based byte offset in the line
  size_t length = 0;
  std::uint32_t colour = 0;
  bool operator==(const ColourRun&) const = default;
};

struct StyledText {
  std::vector<std::string> lines;
  std::vector<ColourRun> runs;  // ordered by line and column, never overlapping
};

struct RtfFont {
  std::string name = "Lucida Console";
  int pointSize = 8;
  bool bold = false;
  bool italic = false;
};

// The whole document: header with font and colour tables, one paragraph per line.
std::string WriteRtf(const StyledText& text, const RtfFont& font);

// The text and coloured runs of a rich-text document. Groups, control words, \par,
// \line, \tab, \'hh, \uN and \cfN are understood; font, colour, style sheet, info and
// \* destinations are skipped. nullopt when the bytes do not begin with "{\rtf".
std::optional<StyledText> ReadRtf(std::string_view bytes);

}  // namespace korvane
