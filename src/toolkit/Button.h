#pragma once
// A standard push button with a text caption. Its Alt letter presses it, as Space and Enter do
// while it has the focus; its hint shows while the pointer rests on it.
#include "toolkit/Hint.h"
#include "toolkit/Mnemonics.h"
#include "toolkit/StdControl.h"

#include <functional>
#include <memory>

class TButton : public TStdControl, private TMnemonicTarget {
public:
  TButton(HWND parent, const TBounds& bounds, const std::string& caption, const std::string& hint);
  std::function<void()> OnClick;
  void SetEnabled(bool enabled);

private:
  void Command(WORD code) override;
  void Accelerate() override;
  std::unique_ptr<TControlHint> FHint; // made once the button is
};

// Makes Enter press the button while it has the focus, as in a dialog box: the dialog keys do
// that only for a dialog box's own push buttons, and the program's window is none.
void PressOnEnter(HWND button);
