#include "toolkit/StdControl.h"

#include "base/SysUtils.h"

TStdControl::~TStdControl() {
  if (FHandle) DestroyWindow(FHandle);
}

void TStdControl::CreateControl(const char* className, DWORD style, DWORD exStyle, HWND parent,
                                const TBounds& bounds, const std::string& caption) {
  FHandle = CreateWindowExA(exStyle, className, caption.c_str(), WS_CHILD | WS_VISIBLE | style,
                            bounds.Left, bounds.Top, bounds.Width, bounds.Height, parent, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  if (!FHandle)
    throw Exception(Format("CreateWindow %s : %s", className, LastErrorText().c_str()));
  BindNotify(FHandle);
}

std::string TStdControl::Text() const {
  std::string text(GetWindowTextLengthA(FHandle) + 1, '\0');
  text.resize(GetWindowTextA(FHandle, text.data(), static_cast<int>(text.size())));
  return text;
}

void TStdControl::SetText(const std::string& text) { SetWindowTextA(FHandle, text.c_str()); }

void TStdControl::SetFocus() const { ::SetFocus(FHandle); }

bool TStdControl::CanFocus() const { return IsWindowVisible(FHandle) && IsWindowEnabled(FHandle); }
