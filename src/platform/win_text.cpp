#ifdef _WIN32

#include "platform/win_text.h"

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace platform {

namespace {

std::wstring Decode(UINT codePage, DWORD flags, std::string_view text) {
  const int n = ::MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), wide.data(),
                        n);
  return wide;
}

}  // namespace

std::wstring Widen(std::string_view text) {
  if (text.empty()) return {};
  std::wstring wide = Decode(CP_UTF8, MB_ERR_INVALID_CHARS, text);
  // Not UTF-8: 8-bit text of the ANSI code page, as older files and programs write it.
  if (wide.empty()) wide = Decode(CP_ACP, 0, text);
  return wide;
}

std::string Narrow(std::wstring_view text) {
  if (text.empty()) return {};
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string narrow(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), n,
                        nullptr, nullptr);
  return narrow;
}

}  // namespace platform

#endif
