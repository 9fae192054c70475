#include "MainWindowFixture.h"

#include <vector>

namespace {
// The control that has the focus, the combo box for its edit part.
HWND FocusedControl() {
  HWND focus = GetFocus();
  char name[32] = {};
  GetClassNameA(GetParent(focus), name, sizeof name);
  return lstrcmpiA(name, "ComboBox") == 0 ? GetParent(focus) : focus;
}

void PressKey(WPARAM key) {
  PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
  PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
  PumpPending();
}

void PressShiftTab() {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  PressKey(VK_TAB);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
}

void PressAlt(char letter) {
  PostMessageA(GetFocus(), WM_SYSCHAR, static_cast<unsigned char>(letter), 1 << 29);
  PumpPending();
}
} // namespace

// Round once both ways, with a file in the viewer: loading it replaces the pane's window.
TEST_F(TMainWindowTest, TabAndShiftTabGoRoundTheControlsInTheLayoutsOrder) {
  const std::string folder = Temp.Folder("docs");
  Temp.Write("docs\\a.txt", "mot\r\n");
  Start();
  Form->tvRep.SelectPath(folder);
  Search();
  ASSERT_EQ(Form->grFic.Rows(), 1);
  Form->cbFichiers.SetFocus();
  const std::vector<HWND> order = {Form->cbFichiers.Handle(),   Form->cbContenant.Handle(),
                                   Form->tvRep.Handle(),        Form->cbInclSsDos.Handle(),
                                   Form->btRechercher.Handle(), Form->edAtteindre.Handle(),
                                   Form->grFic.Handle(),        Form->mmLignesConcernees.Handle()};
  for (size_t k = 1; k <= order.size(); ++k) {
    SCOPED_TRACE(k);
    PressKey(VK_TAB);
    EXPECT_EQ(FocusedControl(), order[k % order.size()]);
  }
  for (size_t k = order.size(); k-- > 0;) {
    SCOPED_TRACE(k);
    PressShiftTab();
    EXPECT_EQ(FocusedControl(), order[k]);
  }
  EXPECT_EQ(ViewerText(), "mot\r\n");
}

TEST_F(TMainWindowTest, AltLettersFocusTheirBoxesToggleTheCheckBoxAndSearch) {
  const std::string folder = Temp.Folder("docs");
  Temp.Write("docs\\a.txt", "x");
  Start();
  Form->tvRep.SelectPath(folder);
  const struct {
    char letter;
    HWND focused;
  } focusing[] = {{'f', Form->cbFichiers.Handle()},
                  {'C', Form->cbContenant.Handle()},
                  {'d', Form->tvRep.Handle()},
                  {'a', Form->edAtteindre.Handle()}};
  for (const auto& c : focusing) {
    SCOPED_TRACE(c.letter);
    PressAlt(c.letter);
    EXPECT_EQ(FocusedControl(), c.focused);
  }
  PressAlt('i');
  EXPECT_EQ(FocusedControl(), Form->cbInclSsDos.Handle());
  EXPECT_FALSE(Form->cbInclSsDos.Checked());
  PressAlt('r');
  EXPECT_EQ(Form->grFic.Rows(), 1);
  EXPECT_EQ(FocusedControl(), Form->grFic.Handle());
}

TEST_F(TMainWindowTest, EnterStartsNoSearch) {
  const std::string folder = Temp.Folder("docs");
  Temp.Write("docs\\a.txt", "x");
  Start();
  Form->tvRep.SelectPath(folder);
  Form->cbFichiers.SetFocus();
  PressKey(VK_RETURN);
  EXPECT_EQ(Form->grFic.Rows(), 0);
}
