#pragma once
// Keys pressed as a person presses them, through the input queue (SendInput), so that the
// mnemonics, Tab, Enter and the focus take the user's path: posted key messages skip it.
#include "support/MessagePump.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

// Presses the keys in order and releases them in reverse (a chord such as {VK_MENU, 'R'}), and
// returns at once: for a key meant for a modal box's own loop.
inline void SendChord(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = key;
    inputs.push_back(down);
  }
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
    INPUT up{};
    up.type = INPUT_KEYBOARD;
    up.ki.wVk = *key;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(up);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Handles the keys sent and what they cause.
inline void PumpInput() {
  PumpUntil([] { return HIWORD(GetQueueStatus(QS_KEY)) == 0; });
  PumpPending();
}

// Returns once the thread has seen every key go up again: under Wine a release can come back
// through the X server after the queue looked empty, and reach the next test's window.
inline void PressKeys(std::initializer_list<WORD> keys) {
  SendChord(keys);
  PumpInput();
  PumpUntil([&] {
    return std::all_of(keys.begin(), keys.end(), [](WORD key) { return GetKeyState(key) >= 0; });
  });
}

// Types each character of text as the keyboard would deliver it to the focused control, one
// that the code page lacks included.
inline void TypeKeys(const std::wstring& wide) {
  std::vector<INPUT> inputs;
  for (wchar_t c : wide)
    for (DWORD flags : {DWORD(KEYEVENTF_UNICODE), DWORD(KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = c;
      input.ki.dwFlags = flags;
      inputs.push_back(input);
    }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  PumpInput();
}

// The same for text in the ANSI code page.
inline void TypeKeys(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                  wide.data(), static_cast<int>(wide.size())));
  TypeKeys(wide);
}

// Presses a key from another thread delayMs after it is made, while this thread is busy in a
// long operation that only looks at the queue now and then; the key goes to the window that
// has the focus then. Waits for that thread when it goes.
class TDelayedKey {
public:
  TDelayedKey(WORD key, DWORD delayMs)
      : TDelayedKey(
            key, [start = GetTickCount(), delayMs] { return GetTickCount() - start >= delayMs; }) {}
  // Presses the key once due() holds (asked every millisecond from the other thread, so it must
  // not wait on the busy one), or gives up after ten seconds.
  TDelayedKey(WORD key, std::function<bool()> due)
      : FThread([this, key, due = std::move(due)] {
          for (const DWORD start = GetTickCount(); !due(); Sleep(1))
            if (GetTickCount() - start > 10000) return;
          FSentAt = GetTickCount();
          SendChord({key});
        }) {}
  ~TDelayedKey() { FThread.join(); }
  TDelayedKey(const TDelayedKey&) = delete;
  TDelayedKey& operator=(const TDelayedKey&) = delete;
  // GetTickCount when the key was pressed; 0 before.
  DWORD SentAt() const { return FSentAt; }

private:
  std::atomic<DWORD> FSentAt{0};
  std::thread FThread;
};
