#include "controls/ExpColPanel.h"

#include "support/MouseInput.h"
#include "support/TestForm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using TPicture = std::vector<std::string>;

// Where a panel made in code starts, before it is aligned or folded.
constexpr TBounds NewPanel{0, 0, 185, 41};

// The button as drawn: H highlight, S shadow, F face, A the arrows' colour, ? anything else.
char Kind(COLORREF color, COLORREF arrows) {
  if (color == arrows) return 'A';
  if (color == GetSysColor(COLOR_BTNHIGHLIGHT)) return 'H';
  if (color == GetSysColor(COLOR_BTNSHADOW)) return 'S';
  if (color == GetSysColor(COLOR_BTNFACE)) return 'F';
  return '?';
}

template <typename ReadPixel> TPicture PictureOf(ReadPixel pixel, COLORREF arrows = clBlue) {
  TPicture picture(9, std::string(9, ' '));
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x)
      picture[y][x] = Kind(pixel(x, y), arrows);
  return picture;
}

TPicture Drawn(TExpColPanel& panel, COLORREF arrows = clBlue) {
  TCanvas& canvas = panel.ArrowImage().Canvas();
  return PictureOf([&](int x, int y) { return canvas.Pixel(x, y); }, arrows);
}

TPicture Shown(TExpColPanel& panel) {
  HWND arrow = panel.ArrowImage().Handle();
  return PictureOf([&](int x, int y) { return ScreenPixel(arrow, x, y); });
}

const TPicture Up = {"HHHHHHHHH", "HFFFFFFFS", "HFFFAFFFS", "HFFAAAFFS", "HFAAAAAFS",
                     "HFFFAFFFS", "HFFFAFFFS", "HFFFFFFFS", "SSSSSSSSS"};
const TPicture Down = {"HHHHHHHHH", "HFFFFFFFS", "HFFFAFFFS", "HFFFAFFFS", "HFAAAAAFS",
                       "HFFAAAFFS", "HFFFAFFFS", "HFFFFFFFS", "SSSSSSSSS"};
const TPicture Left = {"HHHHHHHHH", "HFFFFFFFS", "HFFFAFFFS", "HFFAAFFFS", "HFAAAAAFS",
                       "HFFAAFFFS", "HFFFAFFFS", "HFFFFFFFS", "SSSSSSSSS"};
const TPicture Right = {"HHHHHHHHH", "HFFFFFFFS", "HFFFAFFFS", "HFFFAAFFS", "HFAAAAAFS",
                        "HFFFAAFFS", "HFFFAFFFS", "HFFFFFFFS", "SSSSSSSSS"};

void Click(TExpColPanel& panel) {
  Click(panel.ArrowImage().Handle(), 4, 4);
}

RECT Bounds(HWND window) {
  return BoundsOf(window);
}

// The main window's upper area: a top panel with its content, and a viewer below it.
struct TUpperArea {
  TTestForm Form{824, 500};
  TExpColPanel Panel{Form.Handle(), NewPanel};
  TPanel Content{Panel.Handle(), NewPanel};
  TPanel Viewer{Form.Handle(), NewPanel};
  std::vector<std::string> Events;

  explicit TUpperArea(int reference) {
    Panel.SetAlign(alTop);
    Panel.Set_LargHautRef(reference);
    Content.SetBevelOuter(bvNone);
    Content.SetAlign(alClient);
    Viewer.SetAlign(alClient);
    Panel._OnCollapsed = [this](TExpColPanel& sender) { Record("collapsed", sender); };
    Panel._OnExpanded = [this](TExpColPanel& sender) { Record("expanded", sender); };
  }
  // What is in place when an event is raised: the state, the size and the button's top.
  void Record(const std::string& name, TExpColPanel& sender) {
    EXPECT_EQ(&Panel, &sender);
    Events.push_back(name + " " + std::to_string(sender._PanelState()) + " " +
                     std::to_string(sender.Height()) + " " +
                     std::to_string(sender.ArrowImage().Top()));
  }
};
} // namespace

TEST(ExpColPanelTest, TheWorkedExampleFoldsToTheStripAndBack) {
  TUpperArea area(300);
  TExpColPanel& panel = area.Panel;
  EXPECT_EQ((RECT{0, 0, 824, 300}), Bounds(panel.Handle()));
  EXPECT_EQ((RECT{0, 290, 824, 300}), Bounds(panel.EdgeBevel().Handle()));
  EXPECT_EQ((RECT{0, 0, 824, 290}), Bounds(area.Content.Handle()));
  EXPECT_EQ((RECT{0, 289, 9, 298}), Bounds(panel.ArrowImage().Handle()));
  EXPECT_EQ(Up, Drawn(panel));
  EXPECT_EQ(Up, Shown(panel)) << "the button lies above the strip and the content";
  HWND strip = panel.EdgeBevel().Handle();
  EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), ScreenPixel(strip, 400, 8));
  EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), ScreenPixel(strip, 400, 9));

  Click(panel);
  EXPECT_EQ(psCollapsed, panel._PanelState());
  EXPECT_EQ((RECT{0, 0, 824, 11}), Bounds(panel.Handle()));
  EXPECT_EQ((RECT{0, 1, 824, 11}), Bounds(strip));
  EXPECT_EQ((RECT{0, 0, 824, 1}), Bounds(area.Content.Handle()));
  EXPECT_EQ((RECT{0, 0, 9, 9}), Bounds(panel.ArrowImage().Handle()));
  EXPECT_EQ((RECT{0, 11, 824, 500}), Bounds(area.Viewer.Handle())) << "the viewer grows";
  EXPECT_EQ(Down, Drawn(panel));
  EXPECT_EQ(Down, Shown(panel));

  Click(panel);
  EXPECT_EQ((RECT{0, 0, 824, 300}), Bounds(panel.Handle()));
  EXPECT_EQ((RECT{0, 300, 824, 500}), Bounds(area.Viewer.Handle()));
  EXPECT_EQ(Up, Drawn(panel));
  EXPECT_EQ((std::vector<std::string>{"collapsed 1 11 0", "expanded 0 300 289"}), area.Events);
}

TEST(ExpColPanelTest, EachAlignmentHasItsArrowsButtonPlacesAndStrip) {
  struct TRow {
    const char* Name;
    TAlign Align;
    RECT Place; // unfolded, in the 400 x 300 form
    TPicture ExpandedArrow, CollapsedArrow;
    POINT ExpandedButton, CollapsedButton;
    RECT ExpandedStrip, CollapsedStrip;
  } rows[] = {
      {"top",
       alTop,
       {0, 0, 400, 100},
       Up,
       Down,
       {0, 89},
       {0, 0},
       {0, 90, 400, 100},
       {0, 1, 400, 11}},
      {"bottom",
       alBottom,
       {0, 200, 400, 300},
       Down,
       Up,
       {0, 2},
       {0, 2},
       {0, 0, 400, 10},
       {0, 0, 400, 10}},
      {"left",
       alLeft,
       {0, 0, 100, 300},
       Left,
       Right,
       {89, 0},
       {0, 0},
       {90, 0, 100, 300},
       {1, 0, 11, 300}},
      {"right",
       alRight,
       {300, 0, 400, 300},
       Right,
       Left,
       {2, 0},
       {2, 0},
       {0, 0, 10, 300},
       {0, 0, 10, 300}},
  };
  for (const TRow& row : rows) {
    for (bool sizedFirst : {false, true}) {
      SCOPED_TRACE(std::string(row.Name) + (sizedFirst ? ", sized before it is aligned" : ""));
      TTestForm form(400, 300);
      TExpColPanel panel(form.Handle(), NewPanel);
      if (sizedFirst) { // its size does not change when it is aligned
        panel.Set_LargHautRef(100);
        const RECT& r = row.Place;
        panel.SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        panel.SetAlign(row.Align);
      } else {
        panel.SetAlign(row.Align);
        panel.Set_LargHautRef(100);
      }
      const bool vertical = row.Align == alTop || row.Align == alBottom;
      for (bool expanded : {true, false}) {
        SCOPED_TRACE(expanded ? "expanded" : "collapsed");
        const RECT r = Bounds(panel.Handle());
        EXPECT_EQ(expanded ? 100 : 11, vertical ? r.bottom - r.top : r.right - r.left);
        const POINT button = expanded ? row.ExpandedButton : row.CollapsedButton;
        EXPECT_EQ(button.x, panel.ArrowImage().Left());
        EXPECT_EQ(button.y, panel.ArrowImage().Top());
        EXPECT_EQ(expanded ? row.ExpandedArrow : row.CollapsedArrow, Drawn(panel));
        EXPECT_EQ(expanded ? row.ExpandedStrip : row.CollapsedStrip,
                  Bounds(panel.EdgeBevel().Handle()));
        Click(panel);
      }
    }
  }
}

TEST(ExpColPanelTest, TheReferenceSizeResizesAtOnceOnlyWhenUnfolded) {
  TUpperArea area(300);
  TExpColPanel& panel = area.Panel;
  panel.Set_LargHautRef(150);
  EXPECT_EQ(150, panel.Height());
  EXPECT_EQ(139, panel.ArrowImage().Top());
  Click(panel);
  panel.Set_LargHautRef(250);
  EXPECT_EQ(11, panel.Height()) << "kept for the next unfolding";
  EXPECT_EQ(0, panel.ArrowImage().Top());
  EXPECT_EQ(Down, Drawn(panel));
  panel.SetHeight(40); // resized by other means: not learned
  Click(panel);
  EXPECT_EQ(250, panel.Height());
  EXPECT_EQ(239, panel.ArrowImage().Top());
}

TEST(ExpColPanelTest, SettingTheStateActsOnlyOnAChange) {
  TUpperArea area(300);
  TExpColPanel& panel = area.Panel;
  panel.Set_PanelState(psExpanded);
  EXPECT_TRUE(area.Events.empty());
  EXPECT_EQ(300, panel.Height());
  panel.Set_PanelState(psCollapsed);
  panel.Set_PanelState(psCollapsed);
  EXPECT_EQ(Down, Drawn(panel));
  panel.Set_PanelState(psExpanded);
  EXPECT_EQ((std::vector<std::string>{"collapsed 1 11 0", "expanded 0 300 289"}), area.Events);
}

TEST(ExpColPanelTest, OnlyTheButtonFoldsAndAColourChangeRedrawsOnlyTheSign) {
  TUpperArea area(300);
  TExpColPanel& panel = area.Panel;
  // The content, and the strip right of the button and beneath it.
  for (POINT other : {POINT{4, 4}, POINT{9, 293}, POINT{4, 298}})
    Click(panel.Handle(), other.x, other.y);
  EXPECT_EQ(psExpanded, panel._PanelState());
  panel.Set_ArrowsColor(RGB(255, 0, 0));
  EXPECT_EQ(Up, Drawn(panel, RGB(255, 0, 0)));
}

TEST(ExpColPanelTest, ANestedPanelKeepsItsStateWhenTheOuterFolds) {
  TUpperArea area(300);
  TExpColPanel inner(area.Content.Handle(), NewPanel);
  inner.SetAlign(alTop);
  inner.Set_LargHautRef(128);
  TPanel below(area.Content.Handle(), NewPanel);
  below.SetAlign(alClient);
  Click(inner);
  EXPECT_EQ((RECT{0, 11, 824, 290}), Bounds(below.Handle())) << "the neighbour takes the space";
  Click(area.Panel);
  Click(area.Panel);
  EXPECT_EQ(psCollapsed, inner._PanelState());
  EXPECT_EQ((RECT{0, 0, 824, 11}), Bounds(inner.Handle()));
  EXPECT_EQ(Down, Drawn(inner));
  Click(inner);
  EXPECT_EQ(128, inner.Height());
  EXPECT_EQ((RECT{0, 128, 824, 290}), Bounds(below.Handle()));
}

TEST(ExpColPanelTest, APanelMadeInCodeKeepsTheDefaultSizeUntilFolded) {
  TTestForm form(400, 300);
  TExpColPanel panel(form.Handle(), NewPanel);
  panel.SetAlign(alTop);
  EXPECT_EQ(41, panel.Height());
  EXPECT_EQ(30, panel.ArrowImage().Top());
  Click(panel);
  EXPECT_EQ(11, panel.Height());
  Click(panel);
  EXPECT_EQ(200, panel.Height());
}
