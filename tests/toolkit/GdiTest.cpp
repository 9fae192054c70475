#include "toolkit/Gdi.h"
#include "toolkit/Application.h"
#include "toolkit/Window.h"

#include <gtest/gtest.h>

namespace {
// Paints its whole client in Colour, with one black pixel at (15, 15), in client coordinates.
class TPaintedWindow : public TWindow {
public:
  COLORREF Colour = RGB(255, 0, 0);
  TPaintedWindow() {
    TCreateParams params;
    params.Style = WS_POPUP | WS_VISIBLE;
    params.Bounds = {0, 0, 60, 40};
    CreateHandle({"TPaintedWindow"}, params);
  }

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_PAINT) return TWindow::WndProc(message, wParam, lParam);
    TPaintBuffer paint(Handle());
    TGdiObject<HBRUSH> brush(CreateSolidBrush(Colour));
    const RECT client{0, 0, 60, 40};
    FillRect(paint.DC(), &client, brush.Get());
    SetPixelV(paint.DC(), 15, 15, RGB(0, 0, 0));
    return 0;
  }
};
} // namespace

TEST(PaintBufferTest, DrawsInClientCoordinatesAndChangesOnlyTheInvalidRectangle) {
  TPaintedWindow window;
  Application().ProcessMessages();
  window.Colour = RGB(0, 0, 255);
  const RECT invalid{10, 10, 20, 20};
  InvalidateRect(window.Handle(), &invalid, FALSE);
  UpdateWindow(window.Handle());
  HDC dc = GetDC(window.Handle());
  const struct {
    const char* what;
    int x, y;
    COLORREF colour;
  } pixels[] = {
      {"inside", 12, 12, RGB(0, 0, 255)},
      {"its first corner", 10, 10, RGB(0, 0, 255)},
      {"its last corner", 19, 19, RGB(0, 0, 255)},
      {"outside", 25, 25, RGB(255, 0, 0)},
      {"just before it", 9, 9, RGB(255, 0, 0)},
      {"just after it", 20, 20, RGB(255, 0, 0)},
      {"the pixel drawn at (15, 15)", 15, 15, RGB(0, 0, 0)},
      {"beside it", 16, 15, RGB(0, 0, 255)},
  };
  for (const auto& p : pixels) {
    SCOPED_TRACE(p.what);
    EXPECT_EQ(GetPixel(dc, p.x, p.y), p.colour);
  }
  ReleaseDC(window.Handle(), dc);
}
