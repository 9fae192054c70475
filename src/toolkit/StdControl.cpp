#include "toolkit/StdControl.h"

#include "base/SysUtils.h"
#include "toolkit/CodePageText.h"

#include <utility>

TWindowHandle TStdControl::CreateControl(const char* className, DWORD style, DWORD exStyle,
                                         HWND parent, const TBounds& bounds,
                                         const std::string& caption, UINT id, TControlText text) {
  style |= WS_CHILD | WS_VISIBLE;
  const HMENU menu = reinterpret_cast<HMENU>(UINT_PTR(id));
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  TWindowHandle control(
      text == ctWide
          ? CreateWindowExW(exStyle, WideOf(className).c_str(), WideOf(caption).c_str(), style,
                            bounds.Left, bounds.Top, bounds.Width, bounds.Height, parent, menu,
                            instance, nullptr)
          : CreateWindowExA(exStyle, className, caption.c_str(), style, bounds.Left, bounds.Top,
                            bounds.Width, bounds.Height, parent, menu, instance, nullptr));
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
