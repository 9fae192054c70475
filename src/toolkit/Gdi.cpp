#include "toolkit/Gdi.h"

TPaintBuffer::TPaintBuffer(HWND window) : FWindow(window) {
  BeginPaint(FWindow, &FPaint);
  const RECT& area = FPaint.rcPaint;
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  // Without memory for the bitmap, draw straight on the window rather than not at all.
  FBitmap = CreateCompatibleBitmap(FPaint.hdc, width, height);
  if (FBitmap) FMemory = CreateCompatibleDC(FPaint.hdc);
  if (!FMemory) return;
  FOldBitmap = SelectObject(FMemory, FBitmap);
  SetViewportOrgEx(FMemory, -area.left, -area.top, nullptr);
  // Keeps dotted patterns (the focus rectangle) aligned however the area is cut.
  SetBrushOrgEx(FMemory, -area.left & 7, -area.top & 7, nullptr);
}

TPaintBuffer::~TPaintBuffer() {
  if (FMemory) {
    const RECT& area = FPaint.rcPaint;
    SetViewportOrgEx(FMemory, 0, 0, nullptr);
    BitBlt(FPaint.hdc, area.left, area.top, area.right - area.left, area.bottom - area.top, FMemory,
           0, 0, SRCCOPY);
    SelectObject(FMemory, FOldBitmap);
    DeleteDC(FMemory);
  }
  if (FBitmap) DeleteObject(FBitmap);
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
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, bitmap);
  const COLORREF background = GetPixel(source, 0, size.cy - 1);
  TransparentBlt(dc, left, top, size.cx, size.cy, source, 0, 0, size.cx, size.cy, background);
  SelectObject(source, old);
  DeleteDC(source);
}
