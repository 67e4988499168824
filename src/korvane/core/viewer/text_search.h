#pragma once
// Finding a text in a viewer page's document from a position on, ignoring case, and
// going round to the top when nothing follows. Works on the document's own buffer, so
// a log of hundreds of megabytes is searched without a copy.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// One byte form of the searched text. The person types characters; a page may hold
// them as UTF-8 or in the single-byte code page, so the view asks for both forms.
struct SearchForm {
  std::string bytes;
  // Fold the Latin-1 letters too (single-byte text); otherwise only ASCII letters,
  // so the bytes of a UTF-8 character are never mistaken for another's.
  bool latin1 = true;
};

struct TextMatch {
  size_t start = 0;
  size_t length = 0;
  bool wrapped = false;  // found before from, after going round to the top
};

// The first occurrence of any of the forms that starts at or after from, ignoring case;
// without one and with wrap, the first one before from. Empty forms never match.
std::optional<TextMatch> FindText(std::string_view text, const std::vector<SearchForm>& forms,
                                  size_t from, bool wrap);

}  // namespace korvane
