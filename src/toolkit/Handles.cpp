#include "toolkit/Handles.h"

#include "base/SysUtils.h"
#include "toolkit/CodePageText.h"

std::string WindowCaption(HWND window) {
  if (IsWindowUnicode(window)) return AnsiOf(WideCaption(window));
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), int(text.size()))));
  return text;
}

std::wstring WideCaption(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), int(text.size()))));
  return text;
}

std::string LastErrorText() {
  const DWORD code = GetLastError();
  char* text = nullptr;
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                          FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  // A code without text of the system's is shown the way Windows writes it: a failure of a
  // COM call (an HRESULT, high bit set) in hexadecimal, 0x80040154 rather than 2147746132.
  std::string result = length               ? std::string(text, length)
                       : code >= 0x80000000 ? Format("code 0x%08lX", code)
                                            : Format("code %lu", code);
  if (text) LocalFree(text);
  while (!result.empty() &&
         (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
    result.pop_back();
  return result;
}

void RaiseLastOSError(const std::string& what) {
  throw Exception(Format("%s : %s", what.c_str(), LastErrorText().c_str()));
}
