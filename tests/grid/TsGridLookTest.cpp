// What the grid draws, read back pixel by pixel from the window.
#include "GridFixture.h"

#include <fstream>

namespace {
constexpr COLORREF Silver = RGB(192, 192, 192);

// Saves the window as the screen shows it, border and scroll bar included, as a 24-bit BMP.
void SavePicture(HWND window, const char* path) {
  RECT frame;
  GetWindowRect(window, &frame);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  BITMAPINFOHEADER header{sizeof header, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  HDC source = GetWindowDC(window);
  HDC memory = CreateCompatibleDC(source);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(source, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
  GdiFlush();
  const DWORD size = ((width * 3 + 3) & ~3) * height;
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof header;
  const BITMAPFILEHEADER file{0x4D42, offset + size, 0, 0, offset};
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(static_cast<const char*>(bits), size);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, source);
}
} // namespace

class GridLookTest : public GridTest {
protected:
  GridLookTest() {
    Grid.Col(1).SetSortPicture(spBullet);
    Grid.SetRows(20);
    Grid.SetSelectedRow(3);
    SetFocus(Grid.Handle());
    Pump();
  }
  COLORREF Pixel(int x, int y) const {
    HDC dc = GetDC(Grid.Handle());
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(Grid.Handle(), dc);
    return colour;
  }
  static int RowTop(int row) { return TtsGrid::HeadingHeight + (row - 1) * RowHeight; }
};

TEST_F(GridLookTest, CellsLinesHeadingsAndTheBullet) {
  const COLORREF window = GetSysColor(COLOR_WINDOW), highlight = GetSysColor(COLOR_HIGHLIGHT),
                 face = GetSysColor(COLOR_BTNFACE);
  const int bulletMiddle = 200 - 3 - SortPictureWidth + 6;
  const struct {
    const char* what;
    int x, y;
    COLORREF colour;
  } pixels[] = {
      {"a cell", 150, RowTop(1) + 6, window},
      {"the selected row, first column", 150, RowTop(3) + 6, highlight},
      {"the selected row, last column", 795, RowTop(3) + 6, highlight},
      {"a column's line", 199, RowTop(1) + 6, Silver},
      {"a row's line", 150, RowTop(2) - 1, Silver},
      {"the lines cross the selected row", 599, RowTop(3) + 6, Silver},
      {"a heading's face", 150, 7, face},
      {"a heading's raised edge", 200, 0, GetSysColor(COLOR_BTNHIGHLIGHT)},
      {"the bullet on Fichier", bulletMiddle, 7, RGB(128, 128, 128)},
      {"no bullet on Dossier", bulletMiddle + 400, 7, face},
  };
  for (const auto& p : pixels) {
    SCOPED_TRACE(p.what);
    EXPECT_EQ(Pixel(p.x, p.y), p.colour);
  }
  SavePicture(Grid.Handle(), GRID_PICTURE);
}

TEST_F(GridLookTest, CellTextFollowsTheColumnsAlignment) {
  const struct {
    const char* what;
    int left, right; // the cell, its line included
    TAlignment alignment;
  } cols[] = {
      {"Fichier", 0, 200, taLeftJustify},
      {"Taille", 600, 664, taRightJustify},
      {"Date Heure", 664, 804, taCenter},
  };
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  for (const auto& col : cols) {
    SCOPED_TRACE(col.what);
    int first = col.right, last = -1;
    for (int x = col.left; x < col.right - 1; ++x)
      for (int y = RowTop(1); y < RowTop(2) - 1; ++y)
        if (Pixel(x, y) != window) first = std::min(first, x), last = std::max(last, x);
    ASSERT_LE(first, last) << "no text";
    switch (col.alignment) {
    case taLeftJustify: EXPECT_NEAR(first - col.left, 3, 1); break;
    case taRightJustify: EXPECT_NEAR(col.right - 1 - last, 3, 1); break;
    case taCenter: EXPECT_NEAR(first + last, col.left + col.right - 1, 3); break;
    }
  }
}

TEST_F(GridLookTest, AHeadingIsDrawnPressedWhileTheMouseIsHeldOnIt) {
  const COLORREF raised = GetSysColor(COLOR_BTNHIGHLIGHT), sunk = GetSysColor(COLOR_BTNSHADOW);
  COLORREF atClick = 0;
  Grid.OnHeadingClick = [&](int) { atClick = Pixel(200, 0); };
  const struct {
    const char* what;
    UINT message;
    POINT at;
    COLORREF edge;
  } steps[] = {
      {"pressed", WM_LBUTTONDOWN, CellPoint(2, 0), sunk},
      {"the mouse leaves it", WM_MOUSEMOVE, CellPoint(2, 4), raised},
      {"the mouse comes back", WM_MOUSEMOVE, CellPoint(2, 0), sunk},
      {"released", WM_LBUTTONUP, CellPoint(2, 0), raised},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    Mouse(step.message, step.at);
    Pump();
    EXPECT_EQ(Pixel(200, 0), step.edge);
  }
  EXPECT_EQ(atClick, raised); // drawn released before the click is raised
}

TEST_F(GridLookTest, TheFocusedGridFramesItsCurrentRow) {
  const auto framed = [this] {
    int differing = 0;
    for (int x = 0; x < 803; ++x)
      if (x != 199 && x != 599 && x != 663) // the column lines
        differing += Pixel(x, RowTop(3)) != GetSysColor(COLOR_HIGHLIGHT);
    return differing;
  };
  EXPECT_GT(framed(), 100);
  SetFocus(nullptr); // the form would hand its own focus back to the grid
  Pump();
  EXPECT_EQ(framed(), 0);
}
