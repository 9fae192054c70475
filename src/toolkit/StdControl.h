#pragma once
// Base of the wrappers of standard controls (edit, combo box, button, static): the control is
// created by its system class name and reached through its parent's notifications, so its
// GWLP_USERDATA stays the system's.
#include "toolkit/Window.h"

#include <string>

struct TBounds {
  int Left, Top, Width, Height;
};

class TStdControl : public TNotifyTarget {
public:
  TStdControl(const TStdControl&) = delete;
  TStdControl& operator=(const TStdControl&) = delete;
  HWND Handle() const { return FHandle.Get(); }
  std::string Text() const;
  void SetText(const std::string& text);
  void SetFocus() const;
  // Visible (with all its parents) and enabled: what a keyboard user can reach.
  bool CanFocus() const;

protected:
  TStdControl() = default;
  // Throws Exception with the system's reason when the control cannot be created.
  void CreateControl(const char* className, DWORD style, DWORD exStyle, HWND parent,
                     const TBounds& bounds, const std::string& caption);

private:
  TWindowHandle FHandle;
};
