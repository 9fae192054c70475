#include "toolkit/Bevel.h"

#include "toolkit/Graphics.h"

TBevel::TBevel(HWND parent, const TBounds& bounds) {
  CreateHandle(
      {"TBevel", CS_HREDRAW | CS_VREDRAW, GetSysColorBrush(COLOR_BTNFACE)},
      {.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, .Bounds = bounds, .Parent = parent});
}

void TBevel::SetShape(TBevelShape shape) {
  if (shape == FShape) return;
  FShape = shape;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  Invalidate();
}

LRESULT TBevel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_PAINT: Paint(); return 0;
  default: return TControl::WndProc(message, wParam, lParam);
  }
}

void TBevel::Paint() {
  PAINTSTRUCT ps;
  BeginPaint(Handle(), &ps);
  RECT r;
  GetClientRect(Handle(), &r);
  // A raised line is highlight then shadow, from left or top; a lowered one the reverse.
  const TColor first = FStyle == bsRaised ? clBtnHighlight : clBtnShadow;
  const TColor second = FStyle == bsRaised ? clBtnShadow : clBtnHighlight;
  TCanvas canvas(ps.hdc);
  auto line = [&](TColor color, int x0, int y0, int x1, int y1) {
    canvas.PenColor = color;
    canvas.MoveTo(x0, y0);
    canvas.LineTo(x1, y1);
  };
  switch (FShape) {
  case bsTopLine:
    line(first, 0, 0, r.right, 0);
    line(second, 0, 1, r.right, 1);
    break;
  case bsBottomLine:
    line(first, 0, r.bottom - 2, r.right, r.bottom - 2);
    line(second, 0, r.bottom - 1, r.right, r.bottom - 1);
    break;
  case bsLeftLine:
    line(first, 0, 0, 0, r.bottom);
    line(second, 1, 0, 1, r.bottom);
    break;
  case bsRightLine:
    line(first, r.right - 2, 0, r.right - 2, r.bottom);
    line(second, r.right - 1, 0, r.right - 1, r.bottom);
    break;
  case bsSpacer: break;
  }
  EndPaint(Handle(), &ps);
}
