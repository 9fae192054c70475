#include "toolkit/Shortcuts.h"

#include <algorithm>

namespace {
std::vector<const TShortcuts*>& Lists() {
  static std::vector<const TShortcuts*> lists;
  return lists;
}

bool Down(int key) {
  return GetKeyState(key) < 0;
}

unsigned ShiftKeysDown() {
  return (Down(VK_SHIFT) ? ssShift : 0u) | (Down(VK_CONTROL) ? ssCtrl : 0u);
}
} // namespace

TShortcuts::TShortcuts(HWND window) : FWindow(window) {
  Lists().push_back(this);
}

TShortcuts::~TShortcuts() {
  auto& lists = Lists();
  lists.erase(std::remove(lists.begin(), lists.end(), this), lists.end());
}

void TShortcuts::Add(WORD key, unsigned shift, std::function<void()> action) {
  FEntries.push_back({key, shift, std::move(action)});
}

bool TShortcuts::Run(const MSG& msg) const {
  if (GetAncestor(msg.hwnd, GA_ROOT) != FWindow || Down(VK_MENU)) return false;
  const unsigned shift = ShiftKeysDown();
  for (const TEntry& entry : FEntries) {
    if (entry.Key != msg.wParam || entry.Shift != shift) continue;
    entry.Action();
    return true;
  }
  return false;
}

bool DispatchShortcut(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || !msg.hwnd) return false;
  for (const TShortcuts* list : Lists())
    if (list->Run(msg)) return true;
  return false;
}
