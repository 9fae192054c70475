#pragma once
// Windows tests wait for the window's reaction by handling its messages, never by sleeping.
#include "toolkit/Application.h"

#include <windows.h>

#include <functional>

// Handles messages until condition holds, for at most about timeoutMs; returns condition().
inline bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Application().ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

// Handles every message waiting now, and those they post in turn.
inline void PumpPending() {
  for (int round = 0; round < 5; ++round) Application().ProcessMessages();
}
