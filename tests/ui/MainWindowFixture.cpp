#include "MainWindowFixture.h"

void MainWindowTest::WriteSetting(const char* section, const char* key,
                                  const std::string& value) const {
  WritePrivateProfileStringA(section, key, value.c_str(), SettingsPath().c_str());
}

std::string MainWindowTest::ReadSetting(const char* section, const char* key) const {
  char value[1024];
  GetPrivateProfileStringA(section, key, "<absent>", value, sizeof value, SettingsPath().c_str());
  return value;
}

void MainWindowTest::Start() {
  Form = std::make_unique<TfmMain>(SettingsPath());
  Application().DialogWindow = Form->Handle();
  ShowWindow(Form->Handle(), SW_SHOW);
  SetForegroundWindow(Form->Handle());
  PumpPending();
}

std::string MainWindowTest::StartIn(const std::vector<std::pair<std::string, std::string>>& files) {
  const std::string folder = Temp.Folder("docs");
  for (const auto& [name, contents] : files)
    Temp.Write("docs\\" + name, contents);
  Start();
  Form->tvRep.SelectPath(folder);
  return folder;
}

void MainWindowTest::Close() {
  PressKeys({VK_MENU, VK_F4});
  ASSERT_TRUE(PumpUntil([&] { return Form->Handle() == nullptr; }));
  Application().DialogWindow = nullptr;
  Form.reset();
}

void MainWindowTest::TypeIn(WORD letter, const std::string& text) {
  TypeIn(letter, TTempFolder::Wide(text));
}

void MainWindowTest::TypeIn(WORD letter, const std::wstring& text) {
  PressKeys({VK_MENU, letter});
  PressKeys({VK_END});
  PressKeys({VK_SHIFT, VK_HOME});
  if (text.empty())
    PressKeys({VK_DELETE});
  else
    TypeKeys(text);
}

void MainWindowTest::Search() {
  PressKeys({VK_MENU, 'R'});
}

void MainWindowTest::SearchFor(const std::string& text) {
  TypeIn('C', text);
  Search();
}

void MainWindowTest::ClickRow(int row) {
  Click(Form->grFic.Handle(), 20, TtsGrid::HeadingHeight + (row - 1) * 14 + 7);
}

void MainWindowTest::ClickHeading(int col) {
  const int lefts[] = {0, 200, 600, 664};
  Click(Form->grFic.Handle(), lefts[col - 1] + 20, 7);
}

HWND MainWindowTest::FocusedControl() const {
  HWND focus = GetFocus();
  char name[32] = {};
  GetClassNameA(GetParent(focus), name, sizeof name);
  return lstrcmpiA(name, "ComboBox") == 0 ? GetParent(focus) : focus;
}

std::string MainWindowTest::ViewerText() const {
  return CaptionOf(Form->mmLignesConcernees.Handle());
}

std::string MainWindowTest::CaptionOf(HWND control) const {
  std::string text(GetWindowTextLengthA(control) + 1, '\0');
  text.resize(GetWindowTextA(control, text.data(), static_cast<int>(text.size())));
  return text;
}

std::vector<std::string> MainWindowTest::ItemsOf(const TComboBox& box) const {
  std::vector<std::string> items;
  for (int k = 0; k < box.ItemCount(); ++k)
    items.push_back(box.Item(k));
  return items;
}
