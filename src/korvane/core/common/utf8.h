#pragma once
// Whether bytes are well-formed UTF-8. The core keeps text as bytes; the view uses this
// to decide between UTF-8 and the tools' single-byte code page.

#include <string_view>

namespace korvane {

// True for well-formed UTF-8 only: no overlong forms, no surrogates (U+D800..U+DFFF),
// nothing above U+10FFFF and no sequence cut short. Pure ASCII is valid.
bool IsValidUtf8(std::string_view bytes);

// True when the bytes are valid UTF-8 and hold at least one character beyond ASCII,
// i.e. when reading them as UTF-8 differs from reading them byte by byte.
bool IsUtf8BeyondAscii(std::string_view bytes);

}  // namespace korvane
