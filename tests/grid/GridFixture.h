#pragma once
// A real grid in a visible window, set up as the main window sets up its result grid, with
// every event it raises recorded; input arrives as the messages the system would send.
#include "grid/TsGrid.h"
#include "support/TestForm.h"
#include "toolkit/Application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using TPairs = std::vector<std::pair<int, int>>;

class GridTest : public testing::Test {
protected:
  static constexpr int RowHeight = 14;
  static constexpr int Widths[] = {200, 400, 64, 140};

  GridTest() {
    Grid.OnRowChanged = [this](int oldRow, int newRow) { RowChanges.push_back({oldRow, newRow}); };
    Grid.OnHeadingClick = [this](int col) { HeadingClicks.push_back(col); };
    Grid.OnCellLoaded = [this](int col, int row, std::string& value) {
      LoadedCells.push_back({col, row});
      value = CellText(col, row);
    };
    Grid.SetRows(0);
    Grid.SetDefaultRowHeight(RowHeight);
    Grid.SetThumbTracking(true);
    const char* headings[] = {"Fichier", "Dossier", "Taille", "Date Heure"};
    const TAlignment alignments[] = {taLeftJustify, taLeftJustify, taRightJustify, taCenter};
    for (int col = 1; col <= 4; ++col) {
      Grid.Col(col).SetHeading(headings[col - 1]);
      Grid.Col(col).SetWidth(Widths[col - 1]);
      Grid.Col(col).SetAlignment(alignments[col - 1]);
      Grid.Col(col).SetHeadingButton(cbButton);
    }
    Pump();
  }

  static std::string CellText(int col, int row) {
    switch (col) {
    case 1: return "Scrivane" + std::to_string(row) + ".cpp";
    case 2: return "C:\\Projets\\Scrivane\\src";
    case 3: return std::to_string(1536 * row);
    default: return "08/12/2026 05:43";
    }
  }

  // Dispatches what is waiting, paints included.
  static void Pump() { Application().ProcessMessages(); }
  void Forget() {
    RowChanges.clear();
    HeadingClicks.clear();
    LoadedCells.clear();
  }

  int TopRow() const { return GetScrollPos(Grid.Handle(), SB_VERT); }
  int LeftCol() const { return GetScrollPos(Grid.Handle(), SB_HORZ); }
  // The middle of a cell as it stands now; row 0 is the heading.
  POINT CellPoint(int col, int row) const {
    int x = Widths[col - 1] / 2;
    for (int c = std::max(1, LeftCol()); c < col; ++c)
      x += Widths[c - 1];
    const int y = row == 0 ? TtsGrid::HeadingHeight / 2
                           : TtsGrid::HeadingHeight + (row - TopRow()) * RowHeight + RowHeight / 2;
    return {x, y};
  }

  void Send(UINT message, WPARAM wParam, LPARAM lParam = 0) {
    SendMessageA(Grid.Handle(), message, wParam, lParam);
  }
  void Mouse(UINT message, POINT at) { Send(message, 0, MAKELPARAM(at.x, at.y)); }
  void Click(POINT at) {
    Mouse(WM_LBUTTONDOWN, at);
    Mouse(WM_LBUTTONUP, at);
  }
  // GetKeyState reads the thread's key state, which SetKeyboardState sets.
  void Key(WORD key, bool ctrl = false) {
    BYTE keys[256] = {};
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
    Send(WM_KEYDOWN, key);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
  }

  TTestForm Form{900, 200};
  TtsGrid Grid{Form.Handle(), {0, 0, 824, 130}, "grFic"};
  TPairs RowChanges;
  std::vector<int> HeadingClicks;
  TPairs LoadedCells; // (column, row) in the order asked
};
