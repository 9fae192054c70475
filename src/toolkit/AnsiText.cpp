#include "toolkit/AnsiText.h"

#include <windows.h>

namespace {
// Converts to the ANSI code page; lacking tells whether a character had no byte of its own.
// UTF-8 as the code page holds every character, and takes neither the flag nor a default.
std::string Convert(std::wstring_view wide, bool& lacking) {
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* lost = utf8 ? nullptr : "?";
  BOOL used = FALSE;
  BOOL* usedDefault = utf8 ? nullptr : &used;
  const int length = static_cast<int>(wide.size());
  std::string text(
      WideCharToMultiByte(CP_ACP, flags, wide.data(), length, nullptr, 0, lost, nullptr), '\0');
  WideCharToMultiByte(CP_ACP, flags, wide.data(), length, text.data(),
                      static_cast<int>(text.size()), lost, usedDefault);
  lacking = used;
  return text;
}
} // namespace

std::wstring WideOf(std::string_view text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                  wide.data(), static_cast<int>(wide.size())));
  return wide;
}

std::string AnsiOf(std::wstring_view wide) {
  bool lacking = false;
  return Convert(wide, lacking);
}

// Character by character, a surrogate pair being one, so that the position counts the bytes
// of the text before it as AnsiOf writes them.
size_t FirstLackingPosition(std::wstring_view wide) {
  for (size_t k = 0; k < wide.size();) {
    const bool pair = IS_HIGH_SURROGATE(wide[k]) && k + 1 < wide.size() &&
                      IS_LOW_SURROGATE(wide[k + 1]);
    const size_t count = pair ? 2 : 1;
    bool lacking = false;
    Convert(wide.substr(k, count), lacking);
    if (lacking) return AnsiOf(wide.substr(0, k)).size() + 1;
    k += count;
  }
  return 0;
}
