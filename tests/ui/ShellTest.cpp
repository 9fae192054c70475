#include "MainWindowFixture.h"

#include "support/KeyInput.h"

#include <initializer_list>
#include <set>

namespace {
// The visible top-level windows of other programs.
std::set<HWND> OtherProgramsWindows() {
  std::set<HWND> windows;
  EnumWindows(
      [](HWND window, LPARAM found) -> BOOL {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != GetCurrentProcessId() && IsWindowVisible(window))
          reinterpret_cast<std::set<HWND>*>(found)->insert(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Windows gives .txt files to Notepad. Wine's prefix knows Notepad's command for them (txtfile)
// but not the extension: the test gives it for its own time.
class TTextFileKind {
public:
  TTextFileKind() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".txt", 0, KEY_READ, &key) == ERROR_SUCCESS) {
      RegCloseKey(key);
      return;
    }
    FMade = RegSetValueA(HKEY_CLASSES_ROOT, ".txt", REG_SZ, "txtfile", 7) == ERROR_SUCCESS;
  }
  ~TTextFileKind() {
    if (FMade) RegDeleteKeyA(HKEY_CLASSES_ROOT, ".txt");
  }
  TTextFileKind(const TTextFileKind&) = delete;
  TTextFileKind& operator=(const TTextFileKind&) = delete;

private:
  bool FMade = false;
};

// Waits for a window of another program that was not there before, and closes it.
bool CloseNewWindow(const std::set<HWND>& before) {
  HWND opened = nullptr;
  const bool appeared = PumpUntil(
      [&] {
        for (HWND window : OtherProgramsWindows())
          if (!before.count(window)) opened = window;
        return opened != nullptr;
      },
      20000);
  if (!appeared) return false;
  PostMessageA(opened, WM_CLOSE, 0, 0);
  return PumpUntil([&] { return !IsWindow(opened); }, 20000);
}
} // namespace

// Both buttons wait for a current row. "&Ouvrir" opens it in the program that Windows
// associates with its kind, or says why it cannot; "Afficher dans l'&Explorateur" opens its
// folder. Each answers its Alt letter, and Space or Enter once it has the focus.
TEST_F(MainWindowTest, TheFileButtonsOpenTheFileOrItsFolderOrSayWhyNot) {
  const TTextFileKind textFiles;
  const std::string folder = StartIn({{"lettre.txt", "un mot\r\n"}, {"rien.zzqx", "un mot\r\n"}});
  for (const TButton* button : {&Form->btOuvrir, &Form->btExplorateur})
    EXPECT_FALSE(IsWindowEnabled(button->Handle()));
  PressKeys({VK_MENU, 'O'});
  PressKeys({VK_MENU, 'E'});
  EXPECT_TRUE(Boxes.Shown.empty());
  Search();
  ASSERT_EQ(Form->grFic.Rows(), 2);
  for (const TButton* button : {&Form->btOuvrir, &Form->btExplorateur})
    EXPECT_TRUE(IsWindowEnabled(button->Handle()));

  const HWND grid = Form->grFic.Handle(), explorer = Form->btExplorateur.Handle();
  const struct {
    const char* what;
    HWND focus;
    std::initializer_list<WORD> keys;
  } presses[] = {{"Alt+E: the Explorer", grid, {VK_MENU, 'E'}},
                 {"Space: the Explorer", explorer, {VK_SPACE}},
                 {"Enter: the Explorer", explorer, {VK_RETURN}},
                 {"Alt+O: the program for .txt", grid, {VK_MENU, 'O'}}};
  for (const auto& press : presses) {
    SCOPED_TRACE(press.what);
    ::SetFocus(press.focus);
    const std::set<HWND> before = OtherProgramsWindows();
    PressKeys(press.keys);
    EXPECT_TRUE(Boxes.Shown.empty()) << (Boxes.Shown.empty() ? "" : Boxes.Shown[0].Text);
    EXPECT_TRUE(CloseNewWindow(before)) << "no new window";
  }

  ::SetFocus(grid);
  PressKeys({VK_DOWN});
  ASSERT_EQ(Form->grFic.SelectedRow(), 2);
  PressKeys({VK_MENU, 'O'});
  ASSERT_EQ(Boxes.Shown.size(), 1u);
  const std::string start = "Ne peut ouvrir le fichier " + folder + "\\rien.zzqx : ";
  EXPECT_EQ(Boxes.Shown[0].Text.substr(0, start.size()), start);
  EXPECT_GT(Boxes.Shown[0].Text.size(), start.size() + 2) << "the system's reason";
}
