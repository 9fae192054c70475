#include "toolkit/StdControl.h"

#include "base/SysUtils.h"

void TStdControl::CreateControl(const char* className, DWORD style, DWORD exStyle, HWND parent,
                                const TBounds& bounds, const std::string& caption) {
  FHandle.Reset(CreateWindowExA(exStyle, className, caption.c_str(), WS_CHILD | WS_VISIBLE | style,
                                bounds.Left, bounds.Top, bounds.Width, bounds.Height, parent,
                                nullptr, GetModuleHandleA(nullptr), nullptr));
  if (!FHandle) RaiseLastOSError(Format("CreateWindow %s", className));
  BindNotify(FHandle.Get());
}

std::string TStdControl::Text() const {
  std::string text(GetWindowTextLengthA(FHandle.Get()) + 1, '\0');
  text.resize(GetWindowTextA(FHandle.Get(), text.data(), static_cast<int>(text.size())));
  return text;
}

void TStdControl::SetText(const std::string& text) {
  SetWindowTextA(FHandle.Get(), text.c_str());
}

void TStdControl::SetFocus() const {
  ::SetFocus(FHandle.Get());
}

bool TStdControl::CanFocus() const {
  return IsWindowVisible(FHandle.Get()) && IsWindowEnabled(FHandle.Get());
}
