#include "MainWindowFixture.h"

#include <initializer_list>
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

// Through the input queue, as the keyboard does: the keys down in order, up in reverse.
void PressChord(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (DWORD flags : {DWORD(0), DWORD(KEYEVENTF_KEYUP)})
    for (size_t k = 0; k < keys.size(); ++k) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = flags ? keys.begin()[keys.size() - 1 - k] : keys.begin()[k];
      input.ki.dwFlags = flags;
      inputs.push_back(input);
    }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  PumpUntil([] { return HIWORD(GetQueueStatus(QS_KEY)) == 0; });
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

// F3 steps as the next button does, Shift+F3 as the previous, Ctrl+F3 and Ctrl+Shift+F3 as the
// first and the last, from the grid and from the go-to box alike; the grid's row stays.
TEST_F(TMainWindowTest, F3AndItsVariantsStepThroughTheOccurrencesWhereverTheFocusIs) {
  const std::string folder = Temp.Folder("docs");
  Temp.Write("docs\\a.txt", "mot\r\nrien\r\nun mot\r\nmot\r\n");
  Temp.Write("docs\\b.txt", "mot\r\n");
  Start();
  Form->tvRep.SelectPath(folder);
  Form->cbFichiers.SetFocus();
  PressChord({VK_F3});
  EXPECT_EQ(CaptionOf(Form->stnNbOccur.Handle()), "occurence 0 / 0"); // nothing loaded yet
  EXPECT_EQ(FocusedControl(), Form->cbFichiers.Handle());
  EXPECT_EQ(Form->grFic.Rows(), 0); // and no search

  Type(Form->cbContenant, "mot");
  Search();
  ASSERT_EQ(Form->grFic.Rows(), 2);
  ASSERT_EQ(CaptionOf(Form->stnNbOccur.Handle()), "occurence 1/ 3");
  const HWND grid = Form->grFic.Handle(), goTo = Form->edAtteindre.Handle();
  const struct {
    HWND focus;
    std::initializer_list<WORD> keys;
    const char* counter;
  } steps[] = {{grid, {VK_F3}, "occurence 2/ 3"},
               {grid, {VK_SHIFT, VK_F3}, "occurence 1/ 3"},
               {grid, {VK_SHIFT, VK_F3}, "occurence 3/ 3"},
               {goTo, {VK_F3}, "occurence 1/ 3"},
               {goTo, {VK_CONTROL, VK_SHIFT, VK_F3}, "occurence 3/ 3"},
               {goTo, {VK_SHIFT, VK_F3}, "occurence 2/ 3"},
               {grid, {VK_CONTROL, VK_F3}, "occurence 1/ 3"}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.counter);
    ::SetFocus(step.focus);
    PressChord(step.keys);
    EXPECT_EQ(CaptionOf(Form->stnNbOccur.Handle()), step.counter);
    EXPECT_EQ(Form->grFic.SelectedRow(), 1);
    EXPECT_EQ(Form->edAtteindre.Text(), "");
    EXPECT_EQ(FocusedControl(), Form->mmLignesConcernees.Handle()); // where the selection shows
  }
}
