#include "toolkit/ImageList.h"

#include "base/SysUtils.h"
#include "toolkit/Graphics.h"
#include "toolkit/Window.h"

TImageList::TImageList(int width, int height)
    : FHandle(ImageList_Create(width, height, ILC_COLOR24, 8, 8)) {
  if (!FHandle) throw Exception(Format("ImageList_Create : %s", LastErrorText().c_str()));
}

TImageList::~TImageList() { ImageList_Destroy(FHandle); }

void TImageList::Add(TBitmap& bitmap) {
  if (ImageList_Add(FHandle, bitmap.Handle(), nullptr) < 0)
    throw Exception(Format("ImageList_Add : %s", LastErrorText().c_str()));
}
