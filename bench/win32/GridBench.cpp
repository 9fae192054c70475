// What a repaint and a Page Down of the grid cost with 100 rows and with 1,000,000 rows: the
// cells asked through OnCellLoaded and the time, in one run, so that the ratio shows whether
// the cost follows the visible cells or the length of the list. Then the same for the long
// list once a screen reader has asked for it and listens to its events, and what the reader's
// first request and the name of one row cost.
#include "grid/TsGrid.h"
#include "toolkit/Application.h"

#include <oleacc.h>

#include <algorithm>
#include <cstdio>

namespace {
class TBenchForm : public TWindow {
public:
  TBenchForm() {
    TCreateParams params;
    params.Style = WS_POPUP | WS_VISIBLE;
    params.Bounds = {0, 0, 900, 200};
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
  TtsGrid Grid{Form.Handle(), {0, 0, 824, 130}, "grFic"};
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

void CALLBACK Listen(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {}

// The reader's first request, and the name of one row far down the list, in microseconds.
struct TReaderCost {
  double Request = 0, RowName = 0;
  long Children = 0;
};

TReaderCost AskAsAScreenReader(HWND grid, IAccessible*& object) {
  TReaderCost cost;
  double start = Seconds();
  AccessibleObjectFromWindow(grid, OBJID_CLIENT, __uuidof(IAccessible),
                             reinterpret_cast<void**>(&object));
  cost.Request = (Seconds() - start) * 1e6;
  if (!object) return cost;
  object->get_accChildCount(&cost.Children);
  VARIANT row;
  VariantInit(&row);
  row.vt = VT_I4;
  row.lVal = cost.Children / 2;
  BSTR name = nullptr;
  start = Seconds();
  object->get_accName(row, &name);
  cost.RowName = (Seconds() - start) * 1e6;
  SysFreeString(name);
  return cost;
}

void Print(const char* label, const TBenchGrid& grid) {
  std::printf("%-18s %14.1f %12.1f %16.1f %14.1f\n", label, double(grid.RepaintCells) / Repaints,
              grid.RepaintTime * 1e6 / Repaints, double(grid.PageCells) / Pages,
              grid.PageTime * 1e6 / Pages);
}
} // namespace

// The machine may be shared: the grids take turns block by block, and each keeps its fastest
// block. The reader comes last, as its hook listens to the whole process.
int main() {
  TBenchGrid small(100), large(1000000), asked(1000000);
  for (int round = 0; round < 40; ++round)
    for (TBenchGrid* grid : {&small, &large})
      grid->RepaintBlock(), grid->PageBlock();

  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, Listen,
                                             GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  IAccessible* object = nullptr;
  const TReaderCost cost = AskAsAScreenReader(asked.Grid.Handle(), object);
  for (int round = 0; round < 40; ++round) {
    asked.RepaintBlock(), asked.PageBlock();
    Application().ProcessMessages(); // the events of the reader's hook
  }

  std::printf("%-18s %14s %12s %16s %14s\n", "rows", "cells/repaint", "us/repaint",
              "cells/page-down", "us/page-down");
  Print("100", small);
  Print("1000000", large);
  Print("1000000, reader", asked);
  std::printf("time ratio 1,000,000 / 100 rows: repaint %.2f, page-down %.2f\n",
              large.RepaintTime / small.RepaintTime, large.PageTime / small.PageTime);
  std::printf("time ratio with a reader / without: repaint %.2f, page-down %.2f\n",
              asked.RepaintTime / large.RepaintTime, asked.PageTime / large.PageTime);
  std::printf("reader: first request %.1f us, %ld children, name of row %ld %.1f us\n",
              cost.Request, cost.Children, cost.Children / 2 - 1, cost.RowName);
  if (object) object->Release();
  UnhookWinEvent(hook);
  return 0;
}
