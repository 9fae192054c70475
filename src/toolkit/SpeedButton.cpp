#include "toolkit/SpeedButton.h"

#include "toolkit/Gdi.h"

#include <windowsx.h>

TSpeedButton::TSpeedButton(HWND parent, const TBounds& bounds, HBITMAP glyph,
                           const std::string& caption)
    : FGlyph(glyph) {
  CreateHandle({"TSpeedButton", CS_HREDRAW | CS_VREDRAW},
               {.Caption = caption, .Bounds = bounds, .Parent = parent});
  if (caption.empty()) return;
  FHint = std::make_unique<TControlHint>(Handle());
  FHint->SetText(WithoutMnemonic(caption));
}

LRESULT TSpeedButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_PAINT: PaintNow(); return 0;
  case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
  case WM_ERASEBKGND: return 1;
  case WM_MOUSEMOVE: MouseMove(lParam); return 0;
  case WM_MOUSELEAVE: MouseLeave(); return 0;
  case WM_LBUTTONDOWN: ButtonDown(); return 0;
  case WM_LBUTTONUP: ButtonUp(lParam); return 0;
  case WM_CAPTURECHANGED: CaptureLost(); return 0;
  case WM_GETOBJECT:
    return FAccessible.Answer(Handle(), wParam, lParam,
                              [this] { return new TButtonAccessible(Handle()); });
  case WM_DESTROY: FAccessible.Reset(); return 0;
  default: return TWindow::WndProc(message, wParam, lParam);
  }
}

void TSpeedButton::PaintNow() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Handle(), &ps);
  Paint(dc);
  EndPaint(Handle(), &ps);
}

void TSpeedButton::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const bool down = FPressed && FHot;
  if (down)
    DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
  else if (FHot)
    DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
  DrawGlyph(dc, client, down ? 1 : 0);
}

void TSpeedButton::DrawGlyph(HDC dc, const RECT& client, int shift) {
  const SIZE size = BitmapSize(FGlyph);
  DrawTransparent(dc, FGlyph, (client.right - size.cx) / 2 + shift,
                  (client.bottom - size.cy) / 2 + shift);
}

bool TSpeedButton::Contains(LPARAM lParam) const {
  RECT client;
  GetClientRect(Handle(), &client);
  return PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

// While captured the mouse may leave the button: it then shows raised no more.
void TSpeedButton::MouseMove(LPARAM lParam) {
  const bool hot = Contains(lParam);
  if (hot) { // re-armed on every move: a leave seen during a press has ended the tracking
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
    TrackMouseEvent(&track);
  }
  if (hot == FHot) return;
  FHot = hot;
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TSpeedButton::MouseLeave() {
  if (FPressed || !FHot) return;
  FHot = false;
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TSpeedButton::ButtonDown() {
  FPressed = true;
  FHot = true;
  SetCapture(Handle());
  InvalidateRect(Handle(), nullptr, FALSE);
}

// Released, or the capture taken away (another window, a message box): the press ends.
void TSpeedButton::CaptureLost() {
  FPressed = false;
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TSpeedButton::ButtonUp(LPARAM lParam) {
  if (!FPressed) return;
  const bool inside = Contains(lParam);
  ReleaseCapture();
  FPressed = false;
  FHot = inside;
  InvalidateRect(Handle(), nullptr, FALSE);
  if (inside && OnClick) OnClick();
}
