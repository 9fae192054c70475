#include "MainWindowFixture.h"

#include <functional>

namespace {
int HeightOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r.bottom - r.top;
}
} // namespace

// A folded panel keeps its 11-pixel strip; the client-aligned control beneath takes the rest.
TEST_F(MainWindowTest, FoldingAPanelGivesItsSpaceToTheControlBeneath) {
  Start();
  const struct {
    const char* name;
    TExpColPanel& panel;
    std::function<HWND()> beneath;
    int grows;
  } cases[] = {
      {"ExpColPanel2", Form->ExpColPanel2, [&] { return Form->grFic.Handle(); }, 117},
      {"ExpColPanel1", Form->ExpColPanel1, [&] { return Form->mmLignesConcernees.Handle(); }, 289}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int before = HeightOf(c.beneath());
    Click(c.panel.ArrowImage().Handle(), 4, 4);
    EXPECT_EQ(c.panel._PanelState(), psCollapsed);
    EXPECT_EQ(c.panel.Height(), 11);
    EXPECT_EQ(HeightOf(c.beneath()), before + c.grows);
    Click(c.panel.ArrowImage().Handle(), 4, 4);
    EXPECT_EQ(c.panel._PanelState(), psExpanded);
    EXPECT_EQ(HeightOf(c.beneath()), before);
  }
  EXPECT_EQ(HeightOf(Form->grFic.Handle()), 130);
  EXPECT_EQ(HeightOf(Form->mmLignesConcernees.Handle()), 173);
}
