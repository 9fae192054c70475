#pragma once
// A bevel: a two-pixel raised line along one edge of its rectangle, or nothing (a spacer).
#include "toolkit/Control.h"

enum TBevelShape { bsSpacer, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TControl {
public:
  TBevel(HWND parent, const TBounds& bounds);

  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape shape);
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle style);

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void Paint();
  TBevelShape FShape = bsSpacer;
  TBevelStyle FStyle = bsLowered;
};
