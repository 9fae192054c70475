#pragma once
// A static caption whose Alt letter gives the focus to the control it names.
#include "toolkit/Mnemonics.h"
#include "toolkit/StdControl.h"

class TLabel : public TStdControl, private TMnemonicTarget {
public:
  TLabel(HWND parent, const TBounds& bounds, const std::string& caption);
  // The control that the caption's letter focuses (set once that control exists).
  void SetFocusControl(HWND control) { FFocusControl = control; }

private:
  void Accelerate() override;
  HWND FFocusControl = nullptr;
};
