#include "support/DialogTestForm.h"
#include "support/MessagePump.h"
#include "support/MouseInput.h"
#include "toolkit/BitBtn.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Label.h"

#include "base/SysUtils.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {
// Alt+letter as the keyboard delivers it: a WM_SYSCHAR to the focused control.
void PressAlt(char letter) {
  PostMessageA(GetFocus(), WM_SYSCHAR, static_cast<unsigned char>(letter), 1 << 29);
  PumpPending();
}

HBITMAP SolidPicture(COLORREF background, COLORREF centre) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 16, 16}, middle{4, 4, 12, 12};
  HBRUSH back = CreateSolidBrush(background), front = CreateSolidBrush(centre);
  FillRect(dc, &all, back);
  FillRect(dc, &middle, front);
  DeleteObject(back);
  DeleteObject(front);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

int CountPixels(HWND window, COLORREF colour) {
  RECT client;
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  int count = 0;
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.right; ++x)
      count += GetPixel(dc, x, y) == colour;
  ReleaseDC(window, dc);
  return count;
}
} // namespace

TEST(MnemonicsTest, TheLetterAfterASingleAmpersandUpperCased) {
  const struct {
    const char* caption;
    char letter;
  } cases[] = {
      {"&Fichiers", 'F'}, {"Fi&chiers", 'C'}, {"&inclure", 'I'}, {"Pile && face", 0},
      {"&&&x", 'X'},      {"fin&", 0},        {"", 0},           {"&é", '\xC9'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    EXPECT_EQ(MnemonicOf(c.caption), c.letter);
  }
}

TEST(MnemonicsTest, AltLettersFocusToggleAndPressOnlyVisibleControls) {
  TDialogTestForm form;
  TLabel label(form.Handle(), {8, 8, 50, 13}, "&Fichiers");
  TComboBox combo(form.Handle(), {60, 8, 145, 21});
  label.SetFocusControl(combo.Handle());
  TCheckBox check(form.Handle(), {8, 40, 137, 17}, "&Inclure les sous-dossiers");
  TBitBtn button(form.Handle(), {8, 70, 97, 33}, "&Rechercher",
                 SolidPicture(RGB(192, 192, 192), RGB(0, 0, 0)));
  int clicks = 0;
  button.OnClick = [&] { ++clicks; };
  check.SetFocus();

  PressAlt('f');
  EXPECT_TRUE(IsChild(combo.Handle(), GetFocus()) || GetFocus() == combo.Handle());
  PressAlt('I');
  EXPECT_EQ(GetFocus(), check.Handle());
  EXPECT_TRUE(check.Checked());
  PressAlt('i');
  EXPECT_FALSE(check.Checked());
  PressAlt('r');
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(GetFocus(), check.Handle()); // pressing by letter does not take the focus

  ShowWindow(button.Handle(), SW_HIDE);
  PressAlt('r');
  EXPECT_EQ(clicks, 1);
}

TEST(ComboBoxTest, ItemsKeepTheirOrderAndAFailingAppendRaises) {
  TDialogTestForm form;
  TComboBox combo(form.Handle(), {8, 8, 145, 21});
  for (const char* item : {"*.txt", "", "*.TXT", "été"})
    combo.AddItem(item);
  ASSERT_EQ(combo.ItemCount(), 4);
  EXPECT_EQ(combo.Item(0), "*.txt");
  EXPECT_EQ(combo.Item(1), "");
  EXPECT_EQ(combo.Item(2), "*.TXT");
  EXPECT_EQ(combo.Item(3), "été");
  EXPECT_EQ(combo.Text(), ""); // appending leaves the edit text alone

  // A control out of resources refuses the item.
  SetWindowSubclass(
      combo.Handle(),
      [](HWND handle, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
        if (message == CB_ADDSTRING) return LRESULT(CB_ERRSPACE);
        return DefSubclassProc(handle, message, wParam, lParam);
      },
      1, 0);
  try {
    combo.AddItem("*.pas");
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Ne peut insérer une ligne");
  }
  EXPECT_EQ(combo.ItemCount(), 4);
}

TEST(EditTest, TypedAndSetTextsRaiseTheChangeEvent) {
  TDialogTestForm form;
  TEdit edit(form.Handle(), {8, 8, 121, 21});
  std::vector<std::string> seen;
  edit.OnChange = [&] { seen.push_back(edit.Text()); };
  edit.SetFocus();
  for (char c : std::string("ab"))
    PostMessageA(edit.Handle(), WM_CHAR, c, 1);
  PumpPending();
  edit.SetText("");
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "ab", ""}));
}

TEST(BitBtnTest, EachClickRaisesOneEventAndThePictureShowsWithoutItsBackground) {
  TDialogTestForm form;
  const COLORREF background = RGB(255, 0, 255), centre = RGB(255, 0, 0);
  TBitBtn button(form.Handle(), {8, 8, 97, 33}, "&Rechercher", SolidPicture(background, centre));
  int clicks = 0;
  button.OnClick = [&] { ++clicks; };
  Click(button.Handle(), 40, 16);
  EXPECT_EQ(clicks, 1);
  Click(button.Handle(), 40, 16, 2);
  EXPECT_EQ(clicks, 3) << "both clicks of a double click";

  RedrawWindow(button.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(CountPixels(button.Handle(), centre), 8 * 8);
  EXPECT_EQ(CountPixels(button.Handle(), background), 0);
}
