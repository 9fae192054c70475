#pragma once
// A container panel in the button-face colour, optionally framed by a raised outer bevel,
// that lays out its aligned children whenever its size changes.
#include "toolkit/Control.h"

enum TPanelBevel { bvNone, bvRaised };

class TPanel : public TControl {
public:
  TPanel(HWND parent, const TBounds& bounds);

  TPanelBevel BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TPanelBevel bevel);
  // Lays the aligned children out in the client area, inside the outer bevel.
  void AlignControls();

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void Paint();
  void WindowPosChanged(WPARAM wParam, LPARAM lParam);
  TAlignedChildren FAligned;
  TPanelBevel FBevelOuter = bvRaised;
};
