#include "MainWindowFixture.h"

#include "support/KeyInput.h"

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

// Both buttons wait for a current row; "&Ouvrir" opens it in the program that Windows
// associates with its kind, or says why it cannot.
TEST_F(MainWindowTest, OpenStartsTheFilesAssociatedProgramOrSaysWhyItCannot) {
  const std::string folder = Temp.Folder("docs");
  Temp.Write("docs\\lettre.txt", "un mot\r\n");
  const std::string unknown = Temp.Write("docs\\rien.zzqx", "un mot\r\n");
  const TTextFileKind textFiles;
  Start();
  Form->tvRep.SelectPath(folder);
  for (const TButton* button : {&Form->btOuvrir, &Form->btExplorateur})
    EXPECT_FALSE(IsWindowEnabled(button->Handle()));
  PressKeys({VK_MENU, 'O'});
  EXPECT_TRUE(Boxes.Shown.empty());
  PressKeys({VK_MENU, 'R'});
  ASSERT_EQ(Form->grFic.Rows(), 2);
  for (const TButton* button : {&Form->btOuvrir, &Form->btExplorateur})
    EXPECT_TRUE(IsWindowEnabled(button->Handle()));

  const std::set<HWND> before = OtherProgramsWindows();
  PressKeys({VK_MENU, 'O'});
  EXPECT_TRUE(Boxes.Shown.empty()) << (Boxes.Shown.empty() ? "" : Boxes.Shown[0].Text);
  EXPECT_TRUE(CloseNewWindow(before)) << "no window of the program for .txt";

  PressKeys({VK_DOWN});
  ASSERT_EQ(Form->grFic.SelectedRow(), 2);
  PressKeys({VK_MENU, 'O'});
  ASSERT_EQ(Boxes.Shown.size(), 1u);
  const std::string start = "Ne peut ouvrir le fichier " + unknown + " : ";
  EXPECT_EQ(Boxes.Shown[0].Text.substr(0, start.size()), start);
  EXPECT_GT(Boxes.Shown[0].Text.size(), start.size() + 2) << "the system's reason";
}

TEST_F(MainWindowTest, TheExplorerButtonOpensTheFilesFolder) {
  const std::string folder = Temp.Folder("docs");
  Temp.Write("docs\\lettre.txt", "un mot\r\n");
  Start();
  Form->tvRep.SelectPath(folder);
  Search();
  ASSERT_EQ(Form->grFic.Rows(), 1);
  std::set<HWND> before = OtherProgramsWindows();
  PressKeys({VK_MENU, 'E'});
  EXPECT_TRUE(Boxes.Shown.empty()) << (Boxes.Shown.empty() ? "" : Boxes.Shown[0].Text);
  EXPECT_TRUE(CloseNewWindow(before)) << "no Explorer window";
  Form->btExplorateur.SetFocus();
  for (WORD key : {VK_SPACE, VK_RETURN}) {
    SCOPED_TRACE(key);
    before = OtherProgramsWindows();
    PressKeys({key});
    EXPECT_TRUE(CloseNewWindow(before)) << "no Explorer window";
  }
}
