#include "toolkit/CodePageText.h"

#include <windows.h>

std::wstring WideOf(std::string_view text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                  wide.data(), static_cast<int>(wide.size())));
  return wide;
}

namespace {
// lacking, when given, tells whether a character had no byte of its own.
std::string Convert(std::wstring_view text, BOOL* lacking) {
  // UTF-8 as the ANSI code page holds every character, and takes neither flag nor default.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* lost = utf8 ? nullptr : "?";
  const int length = static_cast<int>(text.size());
  std::string ansi(
      WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, lost, nullptr), '\0');
  WideCharToMultiByte(CP_ACP, flags, text.data(), length, ansi.data(),
                      static_cast<int>(ansi.size()), lost, utf8 ? nullptr : lacking);
  return ansi;
}
} // namespace

std::string AnsiOf(std::wstring_view text) {
  return Convert(text, nullptr);
}

// One UTF-16 unit at a time: no code page that takes the flag holds half a surrogate pair.
size_t FirstLackingPosition(std::wstring_view text) {
  for (size_t k = 0; k < text.size(); ++k) {
    BOOL lacking = FALSE;
    Convert(text.substr(k, 1), &lacking);
    if (lacking) return AnsiOf(text.substr(0, k)).size() + 1;
  }
  return 0;
}
