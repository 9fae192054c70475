#pragma once
// A push button with a picture left of its caption. It draws itself (owner-drawn), because
// the standard button of the first common controls shows either a picture or a text. Space
// and Enter press it when it has the focus.
#include "toolkit/Mnemonics.h"
#include "toolkit/StdControl.h"

#include <functional>

class TBitBtn : public TStdControl, private TMnemonicTarget {
public:
  // The button owns the picture; its bottom-left pixel's colour is the transparent background.
  TBitBtn(HWND parent, const TBounds& bounds, const std::string& caption, HBITMAP picture);
  std::function<void()> OnClick;

private:
  void Command(WORD code) override;
  void DrawItem(const DRAWITEMSTRUCT& item) override;
  void Accelerate() override;
  void DrawPictureAndCaption(HDC dc, RECT area, bool enabled) const;
  TGdiObject<HBITMAP> FPicture;
};

// A bitmap resource of the program by name; throws when there is none.
HBITMAP LoadBitmapResource(const char* name);
