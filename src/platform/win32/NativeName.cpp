#include "platform/win32/NativeName.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

TNativeName NativeName(std::wstring_view path) {
  TNativeName name;
  name.Bytes.resize(path.size() * sizeof(wchar_t));
  std::memcpy(name.Bytes.data(), path.data(), name.Bytes.size());
  return name;
}

std::wstring WidePath(const TNativeName& name) {
  std::wstring path(name.Bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(path.data(), name.Bytes.data(), path.size() * sizeof(wchar_t));
  return path;
}

std::string ShownName(std::wstring_view name) {
  // Plain ASCII is the same in every ANSI code page: most names need no conversion.
  if (std::all_of(name.begin(), name.end(), [](wchar_t c) { return c < 0x80; }))
    return std::string(name.begin(), name.end());
  // UTF-8 as the ANSI code page holds every character, and takes neither flag nor default.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* lost = utf8 ? nullptr : "?";
  const int length = static_cast<int>(name.size());
  std::string shown(
      WideCharToMultiByte(CP_ACP, flags, name.data(), length, nullptr, 0, lost, nullptr), '\0');
  WideCharToMultiByte(CP_ACP, flags, name.data(), length, shown.data(),
                      static_cast<int>(shown.size()), lost, nullptr);
  return shown;
}
