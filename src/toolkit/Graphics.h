#pragma once
// Colours, a canvas over a device context, and a 32-bit bitmap that can be drawn on.
#include "toolkit/Handles.h"

#include <windows.h>

#include <cstdint>
#include <optional>

// An RGB colour (0x00BBGGRR), or a system colour: the flag bit and a COLOR_ index, resolved
// only when drawing so that a change of the system colours is followed.
using TColor = std::uint32_t;
constexpr TColor SystemColorFlag = 0x80000000;
constexpr TColor clBlack = RGB(0, 0, 0);
constexpr TColor clBlue = RGB(0, 0, 255);
constexpr TColor clPurple = RGB(128, 0, 128);
constexpr TColor clBtnFace = SystemColorFlag | COLOR_BTNFACE;
constexpr TColor clBtnHighlight = SystemColorFlag | COLOR_BTNHIGHLIGHT;
constexpr TColor clBtnShadow = SystemColorFlag | COLOR_BTNSHADOW;
constexpr TColor clWindow = SystemColorFlag | COLOR_WINDOW;

COLORREF ColorToRGB(TColor color);

// Drawing on a device context that someone else owns, with a pen and a brush colour.
class TCanvas {
public:
  explicit TCanvas(HDC dc = nullptr) : FDC(dc) {}
  HDC Handle() const { return FDC; }
  void SetHandle(HDC dc) { FDC = dc; }

  TColor PenColor = clBlack;
  TColor BrushColor = clBtnFace;

  // Fills left..right-1, top..bottom-1 with the brush colour.
  void FillRect(const RECT& rect);
  void MoveTo(int x, int y);
  // Draws in the pen colour up to, but not including, (x, y).
  void LineTo(int x, int y);
  COLORREF Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

private:
  HDC FDC;
};

// A top-down 32-bit bitmap with its own memory device context while its canvas is in use.
class TBitmap {
public:
  TBitmap() = default;
  TBitmap(int width, int height);
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;
  ~TBitmap() { ReleaseCanvas(); }

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Replaces the picture by the program's bitmap resource of that name; throws when missing.
  void LoadFromResourceName(const char* name);
  TCanvas& Canvas();
  // The bitmap released from the canvas, as other GDI users (image lists) need it.
  HBITMAP Handle();

private:
  void SetSize(int width, int height);
  void ReleaseCanvas();
  TGdiObject<HBITMAP> FHandle;
  TMemoryDC FDC;
  std::optional<TSelection> FSelection; // of FHandle into FDC, while the canvas is in use
  TCanvas FCanvas;
  int FWidth = 0, FHeight = 0;
};
