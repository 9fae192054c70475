#include "toolkit/Bevel.h"

#include "support/TestForm.h"

#include <gtest/gtest.h>

TEST(BevelTest, ARaisedLineIsHighlightThenShadowOnItsEdge) {
  // Pixel pairs read on a 30 x 20 bevel: the highlight one, the shadow one, and one inside.
  struct TRow {
    const char* Name;
    TBevelShape Shape;
    POINT Highlight, Shadow;
  } rows[] = {{"top", bsTopLine, {5, 0}, {5, 1}},
              {"bottom", bsBottomLine, {5, 18}, {5, 19}},
              {"left", bsLeftLine, {0, 5}, {1, 5}},
              {"right", bsRightLine, {28, 5}, {29, 5}}};
  TTestForm form(100, 100);
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Name);
    TBevel bevel(form.Handle(), {0, 0, 30, 20});
    bevel.SetStyle(bsRaised);
    bevel.SetShape(row.Shape);
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT),
              ScreenPixel(bevel.Handle(), row.Highlight.x, row.Highlight.y));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW),
              ScreenPixel(bevel.Handle(), row.Shadow.x, row.Shadow.y));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), ScreenPixel(bevel.Handle(), 14, 10));
  }
}
