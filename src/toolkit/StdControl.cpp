#include "toolkit/StdControl.h"

#include "base/SysUtils.h"

#include <utility>

TWindowHandle TStdControl::CreateControl(const char* className, DWORD style, DWORD exStyle,
                                         HWND parent, const TBounds& bounds,
                                         const std::string& caption, UINT id) {
  TWindowHandle control(
      CreateWindowExA(exStyle, className, caption.c_str(), WS_CHILD | WS_VISIBLE | style,
                      bounds.Left, bounds.Top, bounds.Width, bounds.Height, parent,
                      reinterpret_cast<HMENU>(UINT_PTR(id)), GetModuleHandleA(nullptr), nullptr));
  if (!control) RaiseLastOSError(Format("CreateWindow %s", className));
  BindNotify(control.Get());
  return std::exchange(FHandle, std::move(control));
}

std::string TStdControl::Text() const {
  return WindowCaption(FHandle.Get());
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
