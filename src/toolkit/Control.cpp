#include "toolkit/Control.h"

RECT BoundsOf(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int TControl::Width() const {
  const RECT r = BoundsOf(Handle());
  return r.right - r.left;
}

int TControl::Height() const {
  const RECT r = BoundsOf(Handle());
  return r.bottom - r.top;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}
