#pragma once
// A top-level window with a dialog border (title bar and close button only, no resizing),
// of a fixed client size, centred on the screen, that lays out its aligned children.
#include "toolkit/Align.h"
#include "toolkit/Window.h"

#include <string>

class TForm : public TWindow {
public:
  TForm(const std::string& caption, int clientWidth, int clientHeight, HICON icon);

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void AlignControls();
  TAlignedChildren FAligned;
};
