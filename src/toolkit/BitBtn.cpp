#include "toolkit/BitBtn.h"

#include "base/SysUtils.h"
#include "toolkit/Button.h"
#include "toolkit/Gdi.h"

namespace {
constexpr int Spacing = 4; // between the picture and the caption
} // namespace

HBITMAP LoadBitmapResource(const char* name) {
  auto bitmap =
      static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, 0));
  if (!bitmap) RaiseLastOSError(Format("Bitmap %s", name));
  return bitmap;
}

TBitBtn::TBitBtn(HWND parent, const TBounds& bounds, const std::string& caption, HBITMAP picture)
    : FPicture(picture) {
  CreateControl("BUTTON", WS_TABSTOP | BS_OWNERDRAW, 0, parent, bounds, caption);
  RegisterMnemonic(Handle());
  PressOnEnter(Handle());
}

// An owner-drawn button reports the second click of a double click as BN_DOUBLECLICKED, not
// BN_CLICKED: a user who clicks twice quickly still means two clicks.
void TBitBtn::Command(WORD code) {
  if ((code == BN_CLICKED || code == BN_DOUBLECLICKED) && OnClick) OnClick();
}

void TBitBtn::Accelerate() {
  if (OnClick) OnClick();
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
  const bool pushed = item.itemState & ODS_SELECTED;
  const bool enabled = !(item.itemState & ODS_DISABLED);
  RECT area = item.rcItem;
  DrawFrameControl(item.hDC, &area, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
  if (pushed) OffsetRect(&area, 1, 1);
  DrawPictureAndCaption(item.hDC, area, enabled);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(item.hDC, &focus);
  }
}

// The picture and the caption, side by side, centred together.
void TBitBtn::DrawPictureAndCaption(HDC dc, RECT area, bool enabled) const {
  const std::string caption = Text();
  const TSelection font(dc, reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0)));
  RECT textRect{0, 0, 0, 0};
  DrawTextA(dc, caption.c_str(), -1, &textRect, DT_CALCRECT | DT_SINGLELINE);
  const SIZE picture = BitmapSize(FPicture.Get());
  const int width = picture.cx + Spacing + textRect.right;
  const int left = area.left + (area.right - area.left - width) / 2;
  const int middle = (area.top + area.bottom) / 2;
  DrawTransparent(dc, FPicture.Get(), left, middle - picture.cy / 2);
  RECT textArea{left + picture.cx + Spacing, area.top, area.right, area.bottom};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  DrawTextA(dc, caption.c_str(), -1, &textArea, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}
