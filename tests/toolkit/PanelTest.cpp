#include "toolkit/Panel.h"

#include "support/TestForm.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
struct TRectRow {
  const char* Name;
  RECT Expected;
};

void ExpectBounds(HWND child, const TRectRow& row) {
  SCOPED_TRACE(row.Name);
  const RECT r = BoundsOf(child);
  EXPECT_EQ(row.Expected.left, r.left);
  EXPECT_EQ(row.Expected.top, r.top);
  EXPECT_EQ(row.Expected.right, r.right);
  EXPECT_EQ(row.Expected.bottom, r.bottom);
}

// A panel of 200 x 100 holding one child per alignment, each 20 deep, plus a free one.
struct TAlignedPanel {
  TTestForm Form{300, 200};
  TPanel Panel{Form.Handle(), {0, 0, 200, 100}};
  std::unique_ptr<TPanel> Children[6];

  TAlignedPanel() {
    Panel.SetBevelOuter(bvNone);
    for (auto& child : Children)
      child = std::make_unique<TPanel>(Panel.Handle(), TBounds{50, 50, 20, 20});
    // Given out of edge order: the edge groups still come first, top to right.
    const TAlign aligns[] = {alClient, alRight, alLeft, alBottom, alTop, alNone};
    for (int i = 0; i < 6; ++i)
      Children[i]->SetAlign(aligns[i]);
  }
};
} // namespace

TEST(PanelTest, EdgesAreTakenFirstAndTheClientChildFillsTheRest) {
  TAlignedPanel p;
  const TRectRow rows[] = {{"client", {20, 20, 180, 80}}, {"right", {180, 20, 200, 80}},
                           {"left", {0, 20, 20, 80}},     {"bottom", {0, 80, 200, 100}},
                           {"top", {0, 0, 200, 20}},      {"none", {50, 50, 70, 70}}};
  for (int i = 0; i < 6; ++i)
    ExpectBounds(p.Children[i]->Handle(), rows[i]);
}

TEST(PanelTest, LayoutFollowsThePanelsSizeAndAChildThatResizesItself) {
  TAlignedPanel p;
  p.Panel.SetBounds(0, 0, 300, 150);
  ExpectBounds(p.Children[0]->Handle(), {"client after growing", {20, 20, 280, 130}});
  ExpectBounds(p.Children[3]->Handle(), {"bottom after growing", {0, 130, 300, 150}});
  p.Children[4]->SetHeight(50); // the top child grows: its neighbours make room
  ExpectBounds(p.Children[4]->Handle(), {"top, grown", {0, 0, 300, 50}});
  ExpectBounds(p.Children[2]->Handle(), {"left below it", {0, 50, 20, 130}});
  ExpectBounds(p.Children[0]->Handle(), {"client below it", {20, 50, 280, 130}});
}

TEST(PanelTest, ARaisedOuterBevelFramesTheChildrenAndIsDrawn) {
  TTestForm form(300, 200);
  TPanel panel(form.Handle(), {0, 0, 100, 60});
  TPanel child(panel.Handle(), {0, 0, 185, 41});
  child.SetBevelOuter(bvNone);
  child.SetAlign(alClient);
  ExpectBounds(child.Handle(), {"inside the bevel", {1, 1, 99, 59}});
  EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), ScreenPixel(panel.Handle(), 0, 0));
  EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), ScreenPixel(panel.Handle(), 99, 59));
  panel.SetBevelOuter(bvNone);
  ExpectBounds(child.Handle(), {"no bevel", {0, 0, 100, 60}});
}
