#pragma once
// Replaces the modal error box for a test's duration and records what it would have shown.
#include "support/KeyInput.h"
#include "toolkit/Application.h"

#include <functional>
#include <string>
#include <vector>

struct TShownBox {
  std::string Text, Caption;
  UINT Flags;
  HWND Capture; // the mouse capture when the box came up
};

class TRecordedBoxes {
public:
  std::vector<TShownBox> Shown;
  // Runs inside the box, as the user's reaction would.
  std::function<void()> WhileShown;

  TRecordedBoxes() : FSaved(Application().ErrorBox) {
    Application().ErrorBox = [this](const std::string& text, const std::string& caption,
                                    UINT flags) {
      Shown.push_back({text, caption, flags, GetCapture()});
      if (WhileShown) WhileShown();
    };
  }
  TRecordedBoxes(const TRecordedBoxes&) = delete;
  TRecordedBoxes& operator=(const TRecordedBoxes&) = delete;
  ~TRecordedBoxes() { Application().ErrorBox = FSaved; }

private:
  decltype(TApplication::ErrorBox) FSaved;
};

namespace BoxDetail {
inline void CALLBACK PressEnterOnTheBox(HWND, UINT, UINT_PTR timer, DWORD) {
  char kind[16] = {};
  GetClassNameA(GetActiveWindow(), kind, sizeof kind);
  if (lstrcmpA(kind, "#32770") != 0) return; // not up yet
  KillTimer(nullptr, timer);
  SendChord({VK_RETURN});
}
} // namespace BoxDetail

// A real modal box over the active window, closed by Enter once it is up: what the error box
// does to the activation and the focus. For WhileShown.
inline void ShowRealBoxClosedByEnter() {
  SetTimer(nullptr, 0, 10, BoxDetail::PressEnterOnTheBox);
  MessageBoxA(GetActiveWindow(), "", "", MB_OK | MB_TASKMODAL);
}
