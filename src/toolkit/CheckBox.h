#pragma once
// A check box that ticks itself when clicked; its Alt letter focuses and toggles it.
#include "toolkit/Mnemonics.h"
#include "toolkit/StdControl.h"

class TCheckBox : public TStdControl, private TMnemonicTarget {
public:
  TCheckBox(HWND parent, const TBounds& bounds, const std::string& caption);
  bool Checked() const;
  void SetChecked(bool checked);

private:
  void Accelerate() override;
};
