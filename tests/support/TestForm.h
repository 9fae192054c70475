#pragma once
// What the window tests share: a top-level form that aligns its children like a panel, and
// pixels read from the screen.
#include "toolkit/Application.h"
#include "toolkit/Form.h"

#include <ostream>

// The program's own form, shown at once, so that tests see the alignment it does.
class TTestForm : public TForm {
public:
  TTestForm(int clientWidth, int clientHeight) : TForm("Test", clientWidth, clientHeight, nullptr) {
    ShowWindow(Handle(), SW_SHOW);
  }
};

// Paints whatever is pending, then reads a pixel of the window as it is on the screen.
inline COLORREF ScreenPixel(HWND window, int x, int y) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC dc = GetDC(window);
  const COLORREF color = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return color;
}

// Rectangles compared and printed by the tests' expectations.
inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}
