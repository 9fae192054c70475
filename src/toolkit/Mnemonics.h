#pragma once
// Alt+letter on the letter that a caption marks with "&". The message loop asks these
// targets before the dialog keys, because our window is not a dialog box and the system's
// own mnemonic handling relies on dialog messages.
#include <windows.h>

#include <string>

// The marked letter of a caption, upper-cased, or 0: "&&" stands for a plain "&".
char MnemonicOf(const std::string& caption);

class TMnemonicTarget {
public:
  TMnemonicTarget() = default;
  TMnemonicTarget(const TMnemonicTarget&) = delete;
  TMnemonicTarget& operator=(const TMnemonicTarget&) = delete;
  virtual ~TMnemonicTarget();
  // What the control does on its letter: focus, toggle, press.
  virtual void Accelerate() = 0;

protected:
  // The control whose caption carries the letter; it answers while it and every window around
  // it show and are enabled.
  void RegisterMnemonic(HWND captionControl);
};

// For a WM_SYSCHAR: runs the target under the same top-level window whose letter it is;
// true when one did.
bool DispatchMnemonic(const MSG& msg);
