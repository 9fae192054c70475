#pragma once
// A child window of our own classes, with its place in the parent's client area.
#include "toolkit/Align.h"
#include "toolkit/Window.h"

class TControl : public TWindow {
public:
  int Left() const { return BoundsOf(Handle()).left; }
  int Top() const { return BoundsOf(Handle()).top; }
  int Width() const;
  int Height() const;
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
  void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
  void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
  void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }
  TAlign Align() const { return AlignOf(Handle()); }
  virtual void SetAlign(TAlign align) { ::SetAlign(Handle(), align); }
  void Invalidate() { InvalidateRect(Handle(), nullptr, TRUE); }
};
