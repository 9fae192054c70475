#include "toolkit/EscapeWatch.h"

TEscapeWatch::TEscapeWatch() : FLast(GetTickCount()) {}

TEscapeWatch::~TEscapeWatch() {
  for (const MSG& key : FHeld)
    PostMessageW(key.hwnd, key.message, key.wParam, key.lParam);
}

bool TEscapeWatch::Due() {
  const DWORD now = GetTickCount();
  if (now - FLast < IntervalMs) return false;
  FLast = now;
  return true;
}

// Looking at the queue at all also tells Windows that the window still answers. Keys are held
// wide, as the loop reads them, so that a character typed meanwhile comes back as itself.
bool TEscapeWatch::EscapePressed() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
      FPressed = true;
    else
      FHeld.push_back(msg);
  }
  return FPressed;
}
