#include "toolkit/SpeedButton.h"

#include <windowsx.h>

void TSpeedButton::Create(HWND parent, RECT bounds, HBITMAP glyph) {
  FGlyph = glyph;
  TCreateParams params;
  params.Left = bounds.left;
  params.Top = bounds.top;
  params.Width = bounds.right - bounds.left;
  params.Height = bounds.bottom - bounds.top;
  params.Parent = parent;
  CreateHandle({"TSpeedButton", CS_HREDRAW | CS_VREDRAW}, params);
}

LRESULT TSpeedButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_PAINT: PaintNow(); return 0;
  case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
  case WM_ERASEBKGND: return 1;
  case WM_MOUSEMOVE: MouseMove(lParam); return 0;
  case WM_MOUSELEAVE: MouseLeave(); return 0;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK: ButtonDown(); return 0;
  case WM_LBUTTONUP: ButtonUp(lParam); return 0;
  case WM_CAPTURECHANGED: FPressed = false; InvalidateRect(Handle(), nullptr, FALSE); return 0;
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
  if (down) DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
  else if (FHot) DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
  DrawGlyph(dc, client, down ? 1 : 0);
}

void TSpeedButton::DrawGlyph(HDC dc, const RECT& client, int shift) {
  BITMAP info{};
  if (!FGlyph || !GetObjectA(FGlyph, sizeof info, &info)) return;
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ saved = SelectObject(source, FGlyph);
  const int left = (client.right - info.bmWidth) / 2 + shift;
  const int top = (client.bottom - info.bmHeight) / 2 + shift;
  TransparentBlt(dc, left, top, info.bmWidth, info.bmHeight, source, 0, 0, info.bmWidth,
                 info.bmHeight, GetPixel(source, 0, info.bmHeight - 1));
  SelectObject(source, saved);
  DeleteDC(source);
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

void TSpeedButton::ButtonUp(LPARAM lParam) {
  if (!FPressed) return;
  const bool inside = Contains(lParam);
  ReleaseCapture(); // WM_CAPTURECHANGED ends the press
  FPressed = false;
  FHot = inside;
  InvalidateRect(Handle(), nullptr, FALSE);
  if (inside && OnClick) OnClick();
}
