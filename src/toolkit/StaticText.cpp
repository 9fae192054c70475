#include "toolkit/StaticText.h"

TStaticText::TStaticText(HWND parent, const TBounds& bounds, const std::string& caption, HFONT font,
                         bool autoSize)
    : FFont(font), FAutoSize(autoSize) {
  CreateControl("STATIC", SS_LEFT | SS_SUNKEN, 0, parent, bounds, caption);
  SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  AdjustBounds();
}

void TStaticText::SetCaption(const std::string& caption) {
  if (caption == Text()) return;
  SetText(caption);
  AdjustBounds();
}

// The text's extent plus two border widths on each side.
void TStaticText::AdjustBounds() {
  if (!FAutoSize) return;
  const std::string caption = Text();
  SIZE extent{};
  {
    const TScreenDC dc(GetDC(nullptr));
    const TSelection font(dc.Get(), FFont);
    GetTextExtentPoint32A(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &extent);
  }
  SetWindowPos(Handle(), nullptr, 0, 0, extent.cx + 4 * GetSystemMetrics(SM_CXBORDER),
               extent.cy + 4 * GetSystemMetrics(SM_CYBORDER),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The control repaints only the part that grew; the whole text has changed.
  InvalidateRect(Handle(), nullptr, TRUE);
}
