#include "toolkit/StaticText.h"

#include "platform/SysUtils.h"
#include "toolkit/Window.h"

TStaticText::~TStaticText() {
  if (FHandle) DestroyWindow(FHandle);
}

void TStaticText::Create(HWND parent, RECT bounds, const std::string& caption, HFONT font,
                         bool autoSize) {
  FFont = font;
  FAutoSize = autoSize;
  FHandle = CreateWindowExA(0, "STATIC", caption.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_SUNKEN,
                            bounds.left, bounds.top, bounds.right - bounds.left,
                            bounds.bottom - bounds.top, parent, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  if (!FHandle) throw Exception(Format("CreateWindow STATIC : %s", LastErrorText().c_str()));
  SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  AdjustBounds();
}

std::string TStaticText::Caption() const {
  std::string text(GetWindowTextLengthA(FHandle) + 1, '\0');
  text.resize(GetWindowTextA(FHandle, text.data(), static_cast<int>(text.size())));
  return text;
}

void TStaticText::SetCaption(const std::string& caption) {
  if (caption == Caption()) return;
  SetWindowTextA(FHandle, caption.c_str());
  AdjustBounds();
}

// The text's extent plus two border widths on each side.
void TStaticText::AdjustBounds() {
  if (!FAutoSize) return;
  const std::string caption = Caption();
  HDC dc = GetDC(nullptr);
  HGDIOBJ saved = SelectObject(dc, FFont);
  SIZE extent{};
  GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  SelectObject(dc, saved);
  ReleaseDC(nullptr, dc);
  SetWindowPos(FHandle, nullptr, 0, 0, extent.cx + 4 * GetSystemMetrics(SM_CXBORDER),
               extent.cy + 4 * GetSystemMetrics(SM_CYBORDER),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
