#include "support/DialogTestForm.h"
#include "support/MessagePump.h"
#include "toolkit/Edit.h"
#include "toolkit/Font.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/StaticText.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
// 16 x 16 in the transparent colour (its bottom-left pixel's), a 4 x 4 square of ink inside.
HBITMAP SquarePicture(uint32_t transparent, uint32_t ink) { // 0xRRGGBB, as the bitmap holds them
  std::vector<uint32_t> pixels(16 * 16, transparent);
  for (int y = 6; y < 10; ++y)
    for (int x = 6; x < 10; ++x)
      pixels[y * 16 + x] = ink;
  return CreateBitmap(16, 16, 1, 32, pixels.data());
}

// What the button paints now, read at a few points of a 25 x 25 button.
struct TPainted {
  COLORREF Corner, Centre, NearEdge;
};

TPainted Paint(const TSpeedButton& button) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, 25, 25);
  HGDIOBJ saved = SelectObject(dc, canvas);
  SendMessageA(button.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  const TPainted painted{GetPixel(dc, 0, 0), GetPixel(dc, 12, 12), GetPixel(dc, 6, 6)};
  SelectObject(dc, saved);
  DeleteObject(canvas);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return painted;
}

void Send(const TSpeedButton& button, UINT message, int x, int y) {
  SendMessageA(button.Handle(), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
               MAKELPARAM(x, y));
}
} // namespace

TEST(SpeedButtonTest, ClicksWithoutTakingTheFocusOnlyWhenReleasedOverIt) {
  TDialogTestForm form;
  TEdit edit(form.Handle(), {8, 40, 100, 21});
  HBITMAP picture = SquarePicture(0xFF00FF, 0x800000);
  TSpeedButton button(form.Handle(), {8, 8, 25, 25}, picture);
  int clicks = 0;
  button.OnClick = [&] { ++clicks; };
  edit.SetFocus();
  Send(button, WM_LBUTTONDOWN, 5, 5);
  Send(button, WM_LBUTTONUP, 5, 5);
  EXPECT_EQ(clicks, 1);
  Send(button, WM_LBUTTONDOWN, 5, 5);
  Send(button, WM_MOUSEMOVE, 40, 5);
  Send(button, WM_LBUTTONUP, 40, 5);
  EXPECT_EQ(clicks, 1) << "released away from the button";
  EXPECT_EQ(GetFocus(), edit.Handle());
  EXPECT_EQ(GetCapture(), nullptr);
  DeleteObject(picture);
}

TEST(SpeedButtonTest, FlatUntilTheMouseIsOverItSunkenWhilePressed) {
  TDialogTestForm form;
  HBITMAP picture = SquarePicture(0xFF00FF, 0x800000);
  TSpeedButton button(form.Handle(), {8, 8, 25, 25}, picture);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const struct {
    const char* Name;
    UINT Message;
    COLORREF Corner;
  } steps[] = {{"idle", 0, face},
               {"mouse over", WM_MOUSEMOVE, GetSysColor(COLOR_BTNHIGHLIGHT)},
               {"pressed", WM_LBUTTONDOWN, GetSysColor(COLOR_BTNSHADOW)},
               {"released over it", WM_LBUTTONUP, GetSysColor(COLOR_BTNHIGHLIGHT)},
               {"mouse gone", WM_MOUSELEAVE, face}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.Name);
    if (step.Message) Send(button, step.Message, 12, 12);
    const TPainted painted = Paint(button);
    EXPECT_EQ(painted.Corner, step.Corner);
    EXPECT_EQ(painted.NearEdge, face) << "the picture's background shows";
    EXPECT_EQ(painted.Centre, RGB(0x80, 0, 0)) << "the picture";
  }
  DeleteObject(picture);
}

TEST(StaticTextTest, AutoSizedFollowsItsCaptionFixedKeepsItsSize) {
  TDialogTestForm form;
  TFont font("MS Sans Serif", -11);
  TStaticText counter(form.Handle(), {120, 12, 81, 17}, "occurence 0 / 0", font.Handle(), true);
  TStaticText label(form.Handle(), {224, 12, 65, 17}, "", font.Handle(), false);
  auto sizeOf = [](const TStaticText& text) {
    RECT r;
    GetWindowRect(text.Handle(), &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
  };
  auto extentOf = [&](const std::string& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ saved = SelectObject(dc, font.Handle());
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &extent);
    SelectObject(dc, saved);
    ReleaseDC(nullptr, dc);
    return extent;
  };
  for (const char* caption : {"occurence 0 / 0", "occurence 12/ 345", "occurence 1/ 1"}) {
    SCOPED_TRACE(caption);
    counter.SetCaption(caption);
    label.SetCaption(caption);
    EXPECT_EQ(counter.Text(), caption);
    EXPECT_EQ(sizeOf(counter).cx, extentOf(caption).cx + 4);
    EXPECT_EQ(sizeOf(counter).cy, extentOf(caption).cy + 4);
    EXPECT_EQ(sizeOf(label).cx, 65);
    EXPECT_EQ(sizeOf(label).cy, 17);
  }
  EXPECT_TRUE(GetWindowLongPtrA(counter.Handle(), GWL_STYLE) & SS_SUNKEN);
  EXPECT_FALSE(GetWindowLongPtrA(counter.Handle(), GWL_STYLE) & WS_TABSTOP);
}
