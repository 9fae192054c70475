#include "toolkit/Graphics.h"

#include "base/SysUtils.h"
#include "toolkit/Window.h"

COLORREF ColorToRGB(TColor color) {
  return color & SystemColorFlag ? GetSysColor(static_cast<int>(color & 0xFF)) : color;
}

void TCanvas::FillRect(const RECT& rect) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(BrushColor));
  ::FillRect(FDC, &rect, brush);
  DeleteObject(brush);
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(FDC, x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  HGDIOBJ old = SelectObject(FDC, GetStockObject(DC_PEN));
  SetDCPenColor(FDC, ColorToRGB(PenColor));
  ::LineTo(FDC, x, y);
  SelectObject(FDC, old);
}

COLORREF TCanvas::Pixel(int x, int y) const { return GetPixel(FDC, x, y); }

void TCanvas::SetPixel(int x, int y, TColor color) { SetPixelV(FDC, x, y, ColorToRGB(color)); }

namespace {
HBITMAP CreateBitmap32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) throw Exception(Format("CreateDIBSection : %s", LastErrorText().c_str()));
  return bitmap;
}
} // namespace

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::~TBitmap() {
  ReleaseCanvas();
  if (FHandle) DeleteObject(FHandle);
}

void TBitmap::SetSize(int width, int height) {
  HBITMAP bitmap = CreateBitmap32(width, height);
  ReleaseCanvas();
  if (FHandle) DeleteObject(FHandle);
  FHandle = bitmap;
  FWidth = width;
  FHeight = height;
}

void TBitmap::LoadFromResourceName(const char* name) {
  // Copied into a 32-bit picture so that pixels written later keep their exact colour, which
  // a 16-colour palette would round to its nearest entry.
  HBITMAP loaded = static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!loaded) throw Exception(Format("Image %s : %s", name, LastErrorText().c_str()));
  BITMAP shape{};
  GetObjectA(loaded, sizeof shape, &shape);
  SetSize(shape.bmWidth, shape.bmHeight);
  HDC source = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(source, loaded);
  BitBlt(Canvas().Handle(), 0, 0, FWidth, FHeight, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
  DeleteObject(loaded);
}

TCanvas& TBitmap::Canvas() {
  if (!FDC) {
    FDC = CreateCompatibleDC(nullptr);
    FOldBitmap = SelectObject(FDC, FHandle);
    FCanvas.SetHandle(FDC);
  }
  return FCanvas;
}

HBITMAP TBitmap::Handle() {
  ReleaseCanvas();
  return FHandle;
}

void TBitmap::ReleaseCanvas() {
  if (!FDC) return;
  SelectObject(FDC, FOldBitmap);
  DeleteDC(FDC);
  FDC = nullptr;
}
