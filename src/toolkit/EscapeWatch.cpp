#include "toolkit/EscapeWatch.h"

TEscapeWatch::TEscapeWatch() : FLast(GetTickCount()) {}

TEscapeWatch::~TEscapeWatch() {
  for (const MSG& key : FHeld)
    PostMessageA(key.hwnd, key.message, key.wParam, key.lParam);
}

bool TEscapeWatch::Due() {
  const DWORD now = GetTickCount();
  if (now - FLast < IntervalMs) return false;
  FLast = now;
  return true;
}

// Looking at the queue at all also tells Windows that the window still answers.
bool TEscapeWatch::EscapePressed() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
      FPressed = true;
    else
      FHeld.push_back(msg);
  }
  return FPressed;
}
