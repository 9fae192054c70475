#include "toolkit/Label.h"

TLabel::TLabel(HWND parent, const TBounds& bounds, const std::string& caption) {
  CreateControl("STATIC", SS_LEFT, 0, parent, bounds, caption);
  RegisterMnemonic(Handle());
}

void TLabel::Accelerate() {
  if (FFocusControl && IsWindowVisible(FFocusControl) && IsWindowEnabled(FFocusControl))
    ::SetFocus(FFocusControl);
}
