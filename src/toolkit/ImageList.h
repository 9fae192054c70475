#pragma once
// A list of same-sized pictures, drawn opaque (no mask), for a tree view.
#include <windows.h>

#include <commctrl.h>

class TBitmap;

class TImageList {
public:
  TImageList(int width, int height);
  TImageList(const TImageList&) = delete;
  TImageList& operator=(const TImageList&) = delete;
  ~TImageList();

  HIMAGELIST Handle() const { return FHandle; }
  int Count() const { return ImageList_GetImageCount(FHandle); }
  // Appends a copy of the bitmap's picture; throws when the list refuses it.
  void Add(TBitmap& bitmap);

private:
  HIMAGELIST FHandle;
};
