#pragma once
// Windows only: the program's 8-bit strings to and from the UTF-16 of the
// system's wide-character APIs. Names are UTF-8, as path::string() gives them
// with this compiler's library; text that is no UTF-8 is taken as the ANSI code
// page. Every platform call goes through the wide APIs, so names outside the
// ANSI code page reach the system intact.

#ifdef _WIN32

#include <string>
#include <string_view>

namespace platform {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

}  // namespace platform

#endif
