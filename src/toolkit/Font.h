#pragma once
// A font that the program creates and owns, and its hand-out to a window's controls.
#include "toolkit/Handles.h"

#include <windows.h>

#include <string>

class TFont {
public:
  TFont(const std::string& name, int height, BYTE charSet = DEFAULT_CHARSET);
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;
  HFONT Handle() const { return FHandle.Get(); }

private:
  TGdiObject<HFONT> FHandle;
};

// Gives the font to every descendant of parent that has no font of its own yet, as the
// controls of a form take the form's font.
void SetDefaultFont(HWND parent, HFONT font);
