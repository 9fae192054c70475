#include "toolkit/Graphics.h"

#include "base/SysUtils.h"

COLORREF ColorToRGB(TColor color) {
  return color & SystemColorFlag ? GetSysColor(static_cast<int>(color & 0xFF)) : color;
}

void TCanvas::FillRect(const RECT& rect) {
  const TGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(BrushColor)));
  ::FillRect(FDC, &rect, brush.Get());
}

void TCanvas::MoveTo(int x, int y) {
  MoveToEx(FDC, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  const TSelection pen(FDC, GetStockObject(DC_PEN));
  SetDCPenColor(FDC, ColorToRGB(PenColor));
  ::LineTo(FDC, x, y);
}

COLORREF TCanvas::Pixel(int x, int y) const {
  return GetPixel(FDC, x, y);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  SetPixelV(FDC, x, y, ColorToRGB(color));
}

namespace {
TGdiObject<HBITMAP> CreateBitmap32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  TGdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) RaiseLastOSError("CreateDIBSection");
  return bitmap;
}
} // namespace

TBitmap::TBitmap(int width, int height) {
  SetSize(width, height);
}

void TBitmap::SetSize(int width, int height) {
  TGdiObject<HBITMAP> bitmap = CreateBitmap32(width, height);
  ReleaseCanvas();
  FHandle = std::move(bitmap);
  FWidth = width;
  FHeight = height;
}

void TBitmap::LoadFromResourceName(const char* name) {
  // Copied into a 32-bit picture so that pixels written later keep their exact colour, which
  // a 16-colour palette would round to its nearest entry.
  const TGdiObject<HBITMAP> loaded(static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!loaded) RaiseLastOSError(Format("Image %s", name));
  BITMAP shape{};
  GetObjectA(loaded.Get(), sizeof shape, &shape);
  SetSize(shape.bmWidth, shape.bmHeight);
  const TMemoryDC source(CreateCompatibleDC(nullptr));
  const TSelection selected(source.Get(), loaded.Get());
  BitBlt(Canvas().Handle(), 0, 0, FWidth, FHeight, source.Get(), 0, 0, SRCCOPY);
}

TCanvas& TBitmap::Canvas() {
  if (!FDC) {
    FDC.Reset(CreateCompatibleDC(nullptr));
    FSelection.emplace(FDC.Get(), FHandle.Get());
    FCanvas.SetHandle(FDC.Get());
  }
  return FCanvas;
}

HBITMAP TBitmap::Handle() {
  ReleaseCanvas();
  return FHandle.Get();
}

void TBitmap::ReleaseCanvas() {
  FSelection.reset();
  FDC.Reset();
}
