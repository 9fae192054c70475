#include "toolkit/Control.h"

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
