#pragma once
// The program's one window.
#include "toolkit/Window.h"

class TfmMain : public TWindow {
public:
  TfmMain();

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
