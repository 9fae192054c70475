#pragma once
// Clicks made as a person makes them, through the input queue (SendInput) at the control's place
// on the screen, so that the hit test, the capture and the double-click timing take the user's
// path: posted mouse messages skip it.
#include "support/MessagePump.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

// Moves the pointer to the point of the control's client area and waits until it stays.
inline void PointAt(HWND control, POINT at) {
  ClientToScreen(control, &at);
  // Wine reads the pointer back from the X server once it is 100 ms old, and the X server may
  // have refused the move: the pointer is there once it has stayed there longer than that.
  DWORD movedAt = 0;
  ASSERT_TRUE(PumpUntil([&] {
    POINT now;
    GetCursorPos(&now);
    if (!movedAt || now.x != at.x || now.y != at.y) {
      SetCursorPos(at.x, at.y);
      movedAt = GetTickCount();
      return false;
    }
    return GetTickCount() - movedAt > 200;
  }));
}

// Presses and releases the left button there, presses times at once: two make a double click.
inline void Click(HWND control, int x, int y, int presses = 1) {
  PointAt(control, {x, y});
  std::vector<INPUT> inputs(2 * presses);
  for (size_t i = 0; i < inputs.size(); ++i) {
    inputs[i].type = INPUT_MOUSE;
    inputs[i].mi.dwFlags = i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  // As for keys, the release is seen once the thread's own state has the button up.
  PumpUntil(
      [] { return HIWORD(GetQueueStatus(QS_MOUSEBUTTON)) == 0 && GetKeyState(VK_LBUTTON) >= 0; });
  PumpPending();
}
