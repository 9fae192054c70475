#pragma once
// A list of same-sized pictures, drawn opaque (no mask), for a tree view.
#include <windows.h>

#include "toolkit/Handles.h"

#include <commctrl.h>

class TBitmap;

class TImageList {
public:
  TImageList(int width, int height);
  TImageList(const TImageList&) = delete;
  TImageList& operator=(const TImageList&) = delete;
  HIMAGELIST Handle() const { return FHandle.Get(); }
  int Count() const { return ImageList_GetImageCount(FHandle.Get()); }
  // Appends a copy of the bitmap's picture; throws when the list refuses it.
  void Add(TBitmap& bitmap);

private:
  TImageListHandle FHandle;
};
