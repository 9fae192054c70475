#include "grid/SortPicture.h"

namespace {
using TPicture = const char* const[SortPictureHeight];

// One character a pixel: '#' dark grey, '+' mid grey (the rim that rounds the bullet),
// '.' left as the heading is.
constexpr TPicture Up = {
    "............", "............", "............", "............", ".....##.....",
    "....####....", "...######...", "..########..", ".##########.", "............",
    "............", "............", "............",
};
constexpr TPicture Down = {
    "............", "............", "............", "............", ".##########.",
    "..########..", "...######...", "....####....", ".....##.....", "............",
    "............", "............", "............",
};
constexpr TPicture Bullet = {
    "............", "............", "....++++....", "...+####+...", "..+######+..",
    "..########..", "..########..", "..########..", "..+######+..", "...+####+...",
    "....++++....", "............", "............",
};

const TPicture* PictureOf(TtsSortPicture picture) {
  switch (picture) {
  case spUp: return &Up;
  case spDown: return &Down;
  case spBullet: return &Bullet;
  default: return nullptr;
  }
}
} // namespace

void DrawSortPicture(HDC dc, int left, int top, TtsSortPicture picture) {
  const TPicture* rows = PictureOf(picture);
  if (!rows) return;
  for (int y = 0; y < SortPictureHeight; ++y)
    for (int x = 0; x < SortPictureWidth; ++x) {
      const char pixel = (*rows)[y][x];
      if (pixel == '#') SetPixelV(dc, left + x, top + y, RGB(128, 128, 128));
      else if (pixel == '+') SetPixelV(dc, left + x, top + y, RGB(168, 168, 168));
    }
}
