#pragma once
// GDI helpers: owned GDI objects, double-buffered painting, pictures with a background.
#include "toolkit/Handles.h"

#include <windows.h>

#include <optional>

// Handles one WM_PAINT: draws into an off-screen bitmap the size of the invalid rectangle and
// copies it to the window at the end, so that repainting never flickers. DC() takes client
// coordinates, and only what lies in Area() reaches the window.
class TPaintBuffer {
public:
  explicit TPaintBuffer(HWND window);
  TPaintBuffer(const TPaintBuffer&) = delete;
  TPaintBuffer& operator=(const TPaintBuffer&) = delete;
  ~TPaintBuffer();

  HDC DC() const { return FMemory ? FMemory.Get() : FPaint.hdc; }
  const RECT& Area() const { return FPaint.rcPaint; }

private:
  HWND FWindow;
  PAINTSTRUCT FPaint{};
  TGdiObject<HBITMAP> FBitmap;
  TMemoryDC FMemory;
  std::optional<TSelection> FSelection;
};

// A bitmap's size in pixels; 0 x 0 when it is no bitmap.
SIZE BitmapSize(HBITMAP bitmap);
// Draws the bitmap with its bottom-left pixel's colour, the picture's background, left out.
void DrawTransparent(HDC dc, HBITMAP bitmap, int left, int top);
