#include "toolkit/Image.h"

TImage::TImage(HWND parent, const TBounds& bounds) : FPicture(bounds.Width, bounds.Height) {
  TCanvas& canvas = FPicture.Canvas();
  canvas.FillRect({0, 0, bounds.Width, bounds.Height});
  CreateHandle(
      {"TImage"},
      {.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, .Bounds = bounds, .Parent = parent});
}

TCanvas& TImage::Canvas() {
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
  return FPicture.Canvas();
}

LRESULT TImage::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_PAINT: Paint(); return 0;
  case WM_ERASEBKGND: return 1;
  case WM_LBUTTONDOWN:
    FPressed = true;
    SetCapture(Handle());
    return 0;
  case WM_LBUTTONUP: MouseUp(lParam); return 0;
  case WM_CAPTURECHANGED: FPressed = false; return 0;
  case WM_GETOBJECT: // a picture that does nothing when clicked keeps the system's description
    if (!OnClick) return TControl::WndProc(message, wParam, lParam);
    return FAccessible.Answer(Handle(), wParam, lParam,
                              [this] { return new TButtonAccessible(Handle()); });
  case WM_DESTROY: FAccessible.Reset(); return 0;
  default: return TControl::WndProc(message, wParam, lParam);
  }
}

void TImage::Paint() {
  PAINTSTRUCT ps;
  BeginPaint(Handle(), &ps);
  BitBlt(ps.hdc, 0, 0, FPicture.Width(), FPicture.Height(), FPicture.Canvas().Handle(), 0, 0,
         SRCCOPY);
  EndPaint(Handle(), &ps);
}

void TImage::MouseUp(LPARAM lParam) {
  const bool pressed = FPressed;
  if (GetCapture() == Handle()) ReleaseCapture(); // clears FPressed
  FPressed = false;
  RECT r;
  GetClientRect(Handle(), &r);
  const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (pressed && PtInRect(&r, at) && OnClick) OnClick();
}
