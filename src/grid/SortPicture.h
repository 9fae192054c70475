#pragma once
// The small pictures a grid heading can carry to mark the column a list is ordered by.
#include <windows.h>

enum TtsSortPicture { spUp, spDown, spBullet, spNone };

constexpr int SortPictureWidth = 12;
constexpr int SortPictureHeight = 13;

// Draws the picture with its top-left corner at (left, top); spNone draws nothing.
void DrawSortPicture(HDC dc, int left, int top, TtsSortPicture picture);
