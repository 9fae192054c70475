#pragma once
// A picture control: shows a bitmap of its own size that the owner draws on, and reports
// clicks (a left button pressed and released over it). One that reports clicks is a button
// to a screen reader, named by its caption.
#include "toolkit/Accessible.h"
#include "toolkit/Control.h"
#include "toolkit/Graphics.h"

#include <functional>

class TImage : public TControl {
public:
  // The picture has the bounds' size.
  TImage(HWND parent, const TBounds& bounds);

  // The picture's canvas; the control repaints from it at the next paint.
  TCanvas& Canvas();
  std::function<void()> OnClick;

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void Paint();
  void MouseUp(LPARAM lParam);
  TBitmap FPicture;
  bool FPressed = false;
  TAccessibleSlot FAccessible;
};
