#pragma once
// Flat tool button with a picture: a raised edge only while the mouse is over it, sunken while
// pressed; it never takes the keyboard focus, so the control the user works in keeps it.
#include "toolkit/Window.h"

#include <functional>

class TSpeedButton : public TWindow {
public:
  // glyph stays the caller's; its bottom-left pixel's colour is drawn transparent.
  void Create(HWND parent, RECT bounds, HBITMAP glyph);
  std::function<void()> OnClick;

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void Paint(HDC dc);
  void DrawGlyph(HDC dc, const RECT& client, int shift);
  void PaintNow();
  void MouseMove(LPARAM lParam);
  void MouseLeave();
  void ButtonDown();
  void ButtonUp(LPARAM lParam);
  bool Contains(LPARAM lParam) const;

  HBITMAP FGlyph = nullptr;
  bool FHot = false;      // the mouse is over the button
  bool FPressed = false;  // the left button went down on it and is not yet released
};
