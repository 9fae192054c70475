#pragma once
// Per-control hints: a tooltip that shows the control's hint text after the usual delay
// while the pointer rests on the control. An empty text shows nothing.
#include "toolkit/Handles.h"

#include <windows.h>

#include <string>

class TControlHint {
public:
  explicit TControlHint(HWND control);
  TControlHint(const TControlHint&) = delete;
  TControlHint& operator=(const TControlHint&) = delete;
  ~TControlHint();

  HWND Handle() const { return FTooltip.Get(); }
  const std::string& Text() const { return FText; }
  void SetText(const std::string& text);

private:
  HWND FControl;
  TWindowHandle FTooltip;
  std::string FText;
};

// Withdraws whichever hint is showing now, in every control of the application.
void CancelHint();
