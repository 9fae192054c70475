#pragma once
// A top-level window with a dialog border (title bar and close button only, no resizing),
// of a fixed client size, centred on the screen, that lays out its aligned children. Like a
// dialog box, it gives the focus back to the control that had it when it becomes active
// again, and to the first control of the tab order the first time.
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
  void Activate(WPARAM wParam);
  void RestoreFocus();
  TAlignedChildren FAligned;
  HWND FFocusedControl = nullptr; // the control that had the focus when the form went inactive
};
