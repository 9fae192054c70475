#include "toolkit/CodePageText.h"

#include <windows.h>

std::wstring WideOf(std::string_view text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                  wide.data(), static_cast<int>(wide.size())));
  return wide;
}

std::string AnsiOf(std::wstring_view text) {
  // UTF-8 as the ANSI code page holds every character, and takes neither flag nor default.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* lost = utf8 ? nullptr : "?";
  const int length = static_cast<int>(text.size());
  std::string ansi(
      WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, lost, nullptr), '\0');
  WideCharToMultiByte(CP_ACP, flags, text.data(), length, ansi.data(),
                      static_cast<int>(ansi.size()), lost, nullptr);
  return ansi;
}
