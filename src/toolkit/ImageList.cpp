#include "toolkit/ImageList.h"

#include "toolkit/Graphics.h"

TImageList::TImageList(int width, int height)
    : FHandle(ImageList_Create(width, height, ILC_COLOR24, 8, 8)) {
  if (!FHandle) RaiseLastOSError("ImageList_Create");
}

void TImageList::Add(TBitmap& bitmap) {
  if (ImageList_Add(FHandle.Get(), bitmap.Handle(), nullptr) < 0) RaiseLastOSError("ImageList_Add");
}
