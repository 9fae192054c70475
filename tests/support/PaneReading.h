#pragma once
// Reads a rich edit pane back through its messages: its text, and the colour of each character.
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <string>

inline std::string PaneText(HWND pane) {
  std::string text(SendMessageA(pane, WM_GETTEXTLENGTH, 0, 0) + 1, '\0');
  text.resize(SendMessageA(pane, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  return text;
}

// Per character, read through the selection: '0' automatic colour, '1' blue, '?' anything else
// or mixed. A line break shows no colour ('|'): the control reports its first half in the
// colour of the run before it, however that run was coloured. From position from up to to; the
// selection is left moved.
inline std::string Colours(HWND pane, size_t from = 0, size_t to = std::string::npos) {
  const std::string text = PaneText(pane);
  std::string colours;
  for (int i = int(from); i < int(std::min(to, text.size())); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      colours += '|';
      continue;
    }
    CHARRANGE one{i, i + 1};
    SendMessageA(pane, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    SendMessageA(pane, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    const bool blue = !(format.dwEffects & CFE_AUTOCOLOR) && format.crTextColor == RGB(0, 0, 255);
    colours += !(format.dwMask & CFM_COLOR)       ? '?'
               : format.dwEffects & CFE_AUTOCOLOR ? '0'
               : blue                             ? '1'
                                                  : '?';
  }
  return colours;
}
