#include "toolkit/Image.h"

#include "support/TestForm.h"

#include <gtest/gtest.h>

TEST(ImageTest, FillAndLineLeaveOutTheirFarEdgeAndEndPoint) {
  TTestForm form(100, 100);
  TImage image(form.Handle(), {0, 0, 9, 9});
  TCanvas& canvas = image.Canvas();
  canvas.BrushColor = clBlack;
  canvas.FillRect({0, 0, 9, 9});
  canvas.BrushColor = clBlue;
  canvas.FillRect({1, 1, 4, 4});
  canvas.PenColor = clPurple;
  canvas.MoveTo(0, 6);
  canvas.LineTo(5, 6);
  struct TRow {
    int X, Y;
    COLORREF Expected;
  } rows[] = {{1, 1, clBlue},   {3, 3, clBlue},   {4, 3, clBlack}, {3, 4, clBlack},
              {0, 6, clPurple}, {4, 6, clPurple}, {5, 6, clBlack}};
  for (const TRow& row : rows) {
    SCOPED_TRACE(testing::Message() << row.X << "," << row.Y);
    EXPECT_EQ(row.Expected, canvas.Pixel(row.X, row.Y));
    EXPECT_EQ(row.Expected, ScreenPixel(image.Handle(), row.X, row.Y)) << "shown";
  }
}

TEST(ImageTest, AClickIsAPressAndAReleaseOverThePicture) {
  TTestForm form(100, 100);
  TImage image(form.Handle(), {0, 0, 9, 9});
  int clicks = 0;
  image.OnClick = [&] { ++clicks; };
  SendMessageA(image.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  EXPECT_EQ(0, clicks) << "release without a press";
  SendMessageA(image.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  SendMessageA(image.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 4));
  EXPECT_EQ(0, clicks) << "released outside";
  SendMessageA(image.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  SendMessageA(image.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
  EXPECT_EQ(1, clicks);
}
