#pragma once
// Base of the wrappers of standard controls (edit, combo box, button, static, tree view,
// RICHEDIT): the control is created by its system class name and reached through its parent's
// notifications, so its GWLP_USERDATA stays the system's.
#include "toolkit/Window.h"

#include <string>

// How a standard control keeps its text: in the ANSI code page, or wide, which keeps a
// character that the code page lacks so that the reader can tell it is there.
enum TControlText { ctAnsi, ctWide };

class TStdControl : public TNotifyTarget {
public:
  TStdControl(const TStdControl&) = delete;
  TStdControl& operator=(const TStdControl&) = delete;
  HWND Handle() const { return FHandle.Get(); }
  std::string Text() const;
  std::wstring WideText() const { return WideCaption(FHandle.Get()); }
  void SetText(const std::string& text);
  void SetFocus() const;
  // Visible (with all its parents) and enabled: what a keyboard user can reach.
  bool CanFocus() const;

protected:
  TStdControl() = default;
  // Creates the control and binds the wrapper to it. A control the wrapper had before is handed
  // back, still alive, so that the caller can put the new one in its place first. Throws
  // Exception with the system's reason when the control cannot be created, and then the wrapper
  // keeps the control it had.
  TWindowHandle CreateControl(const char* className, DWORD style, DWORD exStyle, HWND parent,
                              const TBounds& bounds, const std::string& caption, UINT id = 0,
                              TControlText text = ctAnsi);
  // For a derived class whose own members must outlive the control (a font that it uses).
  void DestroyHandle() { FHandle.Reset(); }

private:
  TWindowHandle FHandle;
};
