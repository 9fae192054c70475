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

void MainWindowTest::Close() {
  PostMessageA(Form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(PumpUntil([&] { return Form->Handle() == nullptr; }));
  Application().DialogWindow = nullptr;
  Form.reset();
}

void MainWindowTest::Type(TComboBox& box, const std::string& text) {
  box.SetText("");
  HWND edit = GetWindow(box.Handle(), GW_CHILD);
  ::SetFocus(edit);
  for (char c : text)
    PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
  PumpPending();
}

void MainWindowTest::Type(TEdit& box, const std::string& text) {
  box.SetFocus();
  for (char c : text)
    PostMessageA(box.Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
  PumpPending();
}

void MainWindowTest::Click(HWND control, int x, int y) {
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  PumpPending();
}

void MainWindowTest::Search() {
  Click(Form->btRechercher.Handle(), 40, 16);
}

void MainWindowTest::ClickRow(int row) {
  Click(Form->grFic.Handle(), 20, TtsGrid::HeadingHeight + (row - 1) * 14 + 7);
}

void MainWindowTest::ClickHeading(int col) {
  const int lefts[] = {0, 200, 600, 664};
  Click(Form->grFic.Handle(), lefts[col - 1] + 20, 7);
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
