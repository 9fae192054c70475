#pragma once
// A one-line edit box.
#include "toolkit/StdControl.h"

#include <functional>

class TEdit : public TStdControl {
public:
  TEdit(HWND parent, const TBounds& bounds);
  // Raised after every change of the text, typed or set.
  std::function<void()> OnChange;

private:
  void Command(WORD code) override;
};
