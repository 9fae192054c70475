#pragma once
// Static text with a sunken border, as the counters under the grid and the viewer show.
#include "toolkit/StdControl.h"

class TStaticText : public TStdControl {
public:
  // autoSize: the size follows the caption (its extent in font, plus the border); otherwise
  // it stays as given. The font stays the caller's.
  TStaticText(HWND parent, const TBounds& bounds, const std::string& caption, HFONT font,
              bool autoSize);
  void SetCaption(const std::string& caption);

private:
  void AdjustBounds();
  HFONT FFont = nullptr;
  bool FAutoSize = false;
};
