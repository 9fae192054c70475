#include "toolkit/Font.h"

#include "base/SysUtils.h"

TFont::TFont(const std::string& name, int height, BYTE charSet) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = charSet;
  lstrcpynA(font.lfFaceName, name.c_str(), LF_FACESIZE);
  FHandle.Reset(CreateFontIndirectA(&font));
  if (!FHandle) RaiseLastOSError(Format("Font %s", name.c_str()));
}

void SetDefaultFont(HWND parent, HFONT font) {
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM font) -> BOOL {
        if (!SendMessageA(child, WM_GETFONT, 0, 0))
          SendMessageA(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(font));
}
