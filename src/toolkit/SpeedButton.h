#pragma once
// Flat tool button with a picture: a raised edge only while the mouse is over it, sunken while
// pressed; it never takes the keyboard focus, so the control the user works in keeps it. Its
// caption is not drawn: it names the button to a screen reader and shows as its hint.
#include "toolkit/Accessible.h"
#include "toolkit/Hint.h"
#include "toolkit/Window.h"

#include <functional>
#include <memory>
#include <string>

class TSpeedButton : public TWindow {
public:
  // glyph stays the caller's; its bottom-left pixel's colour is drawn transparent.
  TSpeedButton(HWND parent, const TBounds& bounds, HBITMAP glyph, const std::string& caption = "");
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
  void CaptureLost();
  bool Contains(LPARAM lParam) const;

  HBITMAP FGlyph = nullptr;
  bool FHot = false;     // the mouse is over the button
  bool FPressed = false; // the left button went down on it and is not yet released
  std::unique_ptr<TControlHint> FHint;
  TAccessibleSlot FAccessible;
};
