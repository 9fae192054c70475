// What a repaint and a Page Down of the grid cost with 100 rows and with 1,000,000 rows: the
// cells asked through OnCellLoaded and the time, in one run, so that the ratio shows whether
// the cost follows the visible cells or the length of the list.
#include "grid/TsGrid.h"
#include "toolkit/Application.h"

#include <algorithm>
#include <cstdio>

namespace {
class TBenchForm : public TWindow {
public:
  TBenchForm() {
    TCreateParams params;
    params.Style = WS_POPUP | WS_VISIBLE;
    params.Width = 900;
    params.Height = 200;
    CreateHandle({"TBenchForm", 0, GetSysColorBrush(COLOR_BTNFACE)}, params);
  }
};

double Seconds() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return double(count.QuadPart) / double(frequency.QuadPart);
}

constexpr int Repaints = 20, Pages = 10; // 100 rows hold 12 pages of 8

// The result grid of the main window: its size, its four columns, a sort bullet.
struct TBenchGrid {
  TBenchForm Form;
  TtsGrid Grid{Form.Handle(), "grFic", 0, 0, 824, 130};
  long Cells = 0;
  double RepaintTime = 1e9, PageTime = 1e9; // the fastest block of each
  long RepaintCells = 0, PageCells = 0;

  explicit TBenchGrid(int rows) {
    Grid.SetDefaultRowHeight(14);
    const char* headings[] = {"Fichier", "Dossier", "Taille", "Date Heure"};
    const int widths[] = {200, 400, 64, 140};
    for (int col = 1; col <= 4; ++col) {
      Grid.Col(col).SetHeading(headings[col - 1]);
      Grid.Col(col).SetWidth(widths[col - 1]);
      Grid.Col(col).SetHeadingButton(cbButton);
    }
    Grid.Col(1).SetSortPicture(spBullet);
    Grid.OnCellLoaded = [this](int col, int row, std::string& value) {
      ++Cells;
      value = col == 3 ? Format("%d", row) : "Scrivane.cpp";
    };
    Grid.SetRows(rows);
    Application().ProcessMessages();
  }

  void RepaintBlock() {
    Cells = 0;
    const double start = Seconds();
    for (int i = 0; i < Repaints; ++i) {
      InvalidateRect(Grid.Handle(), nullptr, FALSE);
      UpdateWindow(Grid.Handle());
    }
    RepaintTime = std::min(RepaintTime, Seconds() - start);
    RepaintCells = Cells;
  }

  void PageBlock() {
    Grid.SetSelectedRow(1);
    Grid.ShowCell(1, 1);
    UpdateWindow(Grid.Handle());
    Cells = 0;
    const double start = Seconds();
    for (int page = 0; page < Pages; ++page) {
      SendMessageA(Grid.Handle(), WM_KEYDOWN, VK_NEXT, 0);
      UpdateWindow(Grid.Handle());
    }
    PageTime = std::min(PageTime, Seconds() - start);
    PageCells = Cells;
  }
};
} // namespace

// The machine may be shared: the two sizes take turns block by block, and each keeps its
// fastest block.
int main() {
  TBenchGrid small(100), large(1000000);
  for (int round = 0; round < 40; ++round)
    for (TBenchGrid* grid : {&small, &large})
      grid->RepaintBlock(), grid->PageBlock();
  std::printf("%-9s %14s %12s %16s %14s\n", "rows", "cells/repaint", "us/repaint",
              "cells/page-down", "us/page-down");
  for (const TBenchGrid* grid : {&small, &large})
    std::printf("%-9d %14.1f %12.1f %16.1f %14.1f\n", grid->Grid.Rows(),
                double(grid->RepaintCells) / Repaints, grid->RepaintTime * 1e6 / Repaints,
                double(grid->PageCells) / Pages, grid->PageTime * 1e6 / Pages);
  std::printf("time ratio 1,000,000 / 100 rows: repaint %.2f, page-down %.2f\n",
              large.RepaintTime / small.RepaintTime, large.PageTime / small.PageTime);
  return 0;
}
