#include "toolkit/Gdi.h"

TPaintBuffer::TPaintBuffer(HWND window) : FWindow(window) {
  BeginPaint(FWindow, &FPaint);
  const RECT& area = FPaint.rcPaint;
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  // Without memory for the bitmap, draw straight on the window rather than not at all.
  FBitmap.Reset(CreateCompatibleBitmap(FPaint.hdc, width, height));
  if (FBitmap) FMemory.Reset(CreateCompatibleDC(FPaint.hdc));
  if (!FMemory) return;
  FSelection.emplace(FMemory.Get(), FBitmap.Get());
  SetViewportOrgEx(FMemory.Get(), -area.left, -area.top, nullptr);
  // Keeps dotted patterns (the focus rectangle) aligned however the area is cut.
  SetBrushOrgEx(FMemory.Get(), -area.left & 7, -area.top & 7, nullptr);
}

TPaintBuffer::~TPaintBuffer() {
  if (FMemory) {
    const RECT& area = FPaint.rcPaint;
    SetViewportOrgEx(FMemory.Get(), 0, 0, nullptr);
    BitBlt(FPaint.hdc, area.left, area.top, area.right - area.left, area.bottom - area.top,
           FMemory.Get(), 0, 0, SRCCOPY);
  }
  // The off-screen picture goes before the painting ends.
  FSelection.reset();
  FMemory.Reset();
  FBitmap.Reset();
  EndPaint(FWindow, &FPaint);
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

void DrawTransparent(HDC dc, HBITMAP bitmap, int left, int top) {
  const SIZE size = BitmapSize(bitmap);
  if (size.cx <= 0 || size.cy <= 0) return;
  const TMemoryDC source(CreateCompatibleDC(dc));
  const TSelection selected(source.Get(), bitmap);
  const COLORREF background = GetPixel(source.Get(), 0, size.cy - 1);
  TransparentBlt(dc, left, top, size.cx, size.cy, source.Get(), 0, 0, size.cx, size.cy, background);
}
