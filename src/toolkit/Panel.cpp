#include "toolkit/Panel.h"

TPanel::TPanel(HWND parent, const TBounds& bounds) {
  CreateHandle({"TPanel", CS_HREDRAW | CS_VREDRAW, GetSysColorBrush(COLOR_BTNFACE)},
               {.ExStyle = WS_EX_CONTROLPARENT,
                .Style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                .Bounds = bounds,
                .Parent = parent});
}

void TPanel::SetBevelOuter(TPanelBevel bevel) {
  if (bevel == FBevelOuter) return;
  FBevelOuter = bevel;
  AlignControls();
  Invalidate();
}

void TPanel::AlignControls() {
  RECT area;
  GetClientRect(Handle(), &area);
  if (FBevelOuter == bvRaised) InflateRect(&area, -1, -1);
  FAligned.Realign(area);
}

LRESULT TPanel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == AlignMessage()) {
    LRESULT result;
    if (FAligned.HandleMessage(wParam, lParam, result)) AlignControls();
    return result;
  }
  switch (message) {
  case WM_PAINT: Paint(); return 0;
  case WM_SIZE: AlignControls(); return 0;
  case WM_WINDOWPOSCHANGED: WindowPosChanged(wParam, lParam); return 0;
  default: return TControl::WndProc(message, wParam, lParam);
  }
}

void TPanel::Paint() {
  PAINTSTRUCT ps;
  BeginPaint(Handle(), &ps);
  if (FBevelOuter == bvRaised) {
    RECT r;
    GetClientRect(Handle(), &r);
    DrawEdge(ps.hdc, &r, BDR_RAISEDINNER, BF_RECT);
  }
  EndPaint(Handle(), &ps);
}

void TPanel::WindowPosChanged(WPARAM wParam, LPARAM lParam) {
  DefaultProc(WM_WINDOWPOSCHANGED, wParam, lParam); // sends WM_SIZE and WM_MOVE
  if (!(reinterpret_cast<WINDOWPOS*>(lParam)->flags & SWP_NOSIZE)) RequestParentRealign(Handle());
}
