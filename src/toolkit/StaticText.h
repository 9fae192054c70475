#pragma once
// Static text with a sunken border, as the counters under the grid and the viewer show.
#include <windows.h>

#include <string>

class TStaticText {
public:
  TStaticText() = default;
  TStaticText(const TStaticText&) = delete;
  TStaticText& operator=(const TStaticText&) = delete;
  ~TStaticText();

  // autoSize: the size follows the caption (its extent in font, plus the border); otherwise
  // the size stays as given. The font stays the caller's.
  void Create(HWND parent, RECT bounds, const std::string& caption, HFONT font, bool autoSize);
  HWND Handle() const { return FHandle; }
  std::string Caption() const;
  void SetCaption(const std::string& caption);

private:
  void AdjustBounds();
  HWND FHandle = nullptr;
  HFONT FFont = nullptr;
  bool FAutoSize = false;
};
