#pragma once
// The Win32 handles the program owns, each released by its own function when its owner goes,
// and a failed call turned into the program's exception with the system's reason.
#include "base/UniqueHandle.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

inline void ReleaseScreenDC(HDC dc) {
  ReleaseDC(nullptr, dc);
}

using TWindowHandle = TUniqueHandle<HWND, DestroyWindow>;
using TFindHandle = TUniqueHandle<HANDLE, FindClose, -1>;
using TMemoryDC = TUniqueHandle<HDC, DeleteDC>;
using TScreenDC = TUniqueHandle<HDC, ReleaseScreenDC>;
using TImageListHandle = TUniqueHandle<HIMAGELIST, ImageList_Destroy>;
// An owned font, brush, pen or bitmap.
template <class THandle> using TGdiObject = TUniqueHandle<THandle, DeleteObject>;

// An object selected into a device context for a while: the previous one is put back when
// this goes, before whoever owns the object may delete it.
class TSelection {
public:
  TSelection(HDC dc, HGDIOBJ object) : FDC(dc), FPrevious(SelectObject(dc, object)) {}
  TSelection(const TSelection&) = delete;
  TSelection& operator=(const TSelection&) = delete;
  ~TSelection() { SelectObject(FDC, FPrevious); }

private:
  HDC FDC;
  HGDIOBJ FPrevious;
};

// The window's text: a caption, or what an edit box holds. A Unicode window's text is read wide,
// with "?" for each character that the code page lacks, never a look-alike.
std::string WindowCaption(HWND window);
std::wstring WideCaption(HWND window);

// The system's text for the calling thread's last error, for messages that give the reason.
std::string LastErrorText();
// Throws Exception "what : reason", the reason being the system's text for the last error.
[[noreturn]] void RaiseLastOSError(const std::string& what);
