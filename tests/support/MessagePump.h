#pragma once
// Windows tests wait for the window's reaction by handling its messages, never by sleeping.
#include "toolkit/Application.h"

#include <windows.h>

#include <functional>

// Handles messages until condition holds, waiting for new ones in between; false when a
// bound of about timeoutMs passed first. It always handles what is waiting before it looks.
inline bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000) {
  const DWORD start = GetTickCount();
  for (;;) {
    Application().ProcessMessages();
    if (condition()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// Handles every message waiting now, and those they post in turn.
inline void PumpPending() {
  for (int round = 0; round < 5; ++round)
    Application().ProcessMessages();
}
