#include "GridFixture.h"

#include <algorithm>
#include <functional>
#include <set>

namespace {
// The grid's client is 126 high inside its border: 8 rows under the heading, the last one
// without its bottom line, and the columns fit beside the vertical scroll bar.
constexpr int Page = 8;
} // namespace

TEST(GridCreationTest, HasTheControlDefaultsAndNoCurrentRow) {
  TTestForm form(900, 200);
  TtsGrid grid(form.Handle(), {0, 0, 824, 130}, "grFic");
  EXPECT_EQ(grid.Cols(), 4);
  EXPECT_EQ(grid.Rows(), 4);
  EXPECT_EQ(grid.DefaultRowHeight(), 24);
  EXPECT_EQ(grid.SelectedRow(), 0);
  EXPECT_EQ(grid.Col(3).Width(), 64);
  EXPECT_EQ(grid.Col(1).HeadingButton(), cbGrid);
  EXPECT_EQ(grid.Col(1).SortPicture(), spNone);
  TPairs changes;
  grid.OnRowChanged = [&](int oldRow, int newRow) { changes.push_back({oldRow, newRow}); };
  grid.SetRows(0);
  EXPECT_TRUE(changes.empty()); // no row had been made current
}

TEST_F(GridTest, SettingRowsMovesTheCurrentRowAndReportsIt) {
  ASSERT_TRUE(RowChanges.empty());
  const struct {
    const char* what;
    std::function<void()> act;
    int rows, selected;
    TPairs changes;
  } steps[] = {
      {"a negative count sets 0", [&] { Grid.SetRows(-5); }, 0, 0, {}},
      {"0 to n makes row 1 current", [&] { Grid.SetRows(10); }, 10, 1, {{0, 1}}},
      {"the same count does nothing", [&] { Grid.SetRows(10); }, 10, 1, {}},
      {"growing keeps the row", [&] { Grid.SetRows(1000000); }, 1000000, 1, {}},
      {"n to 0 leaves no current row", [&] { Grid.SetRows(0); }, 0, 0, {{1, 0}}},
      {"and again 0 to n", [&] { Grid.SetRows(30); }, 30, 1, {{0, 1}}},
      {"a row near the end", [&] { Grid.SetSelectedRow(25); }, 30, 25, {{1, 25}}},
      {"shrinking below it moves it to the last", [&] { Grid.SetRows(20); }, 20, 20, {{25, 20}}},
      {"shrinking above it keeps it", [&] { Grid.SetRows(21); }, 21, 20, {}},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    RowChanges.clear();
    step.act();
    EXPECT_EQ(Grid.Rows(), step.rows);
    EXPECT_EQ(Grid.SelectedRow(), step.selected);
    EXPECT_EQ(RowChanges, step.changes);
  }
}

TEST_F(GridTest, WritingSelectedRowReportsEachChangeOnceAndDoesNotScroll) {
  Grid.SetRows(100);
  Forget();
  const struct {
    const char* what;
    int row, selected;
    TPairs changes;
  } steps[] = {
      {"the current row raises nothing", 1, 1, {}}, {"another row raises once", 70, 70, {{1, 70}}},
      {"below 0 is ignored", -1, 70, {}},           {"above Rows is ignored", 101, 70, {}},
      {"the last row", 100, 100, {{70, 100}}},      {"0 leaves no current row", 0, 0, {{100, 0}}},
      {"and back to a row", 4, 4, {{0, 4}}},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    RowChanges.clear();
    Grid.SetSelectedRow(step.row);
    EXPECT_EQ(Grid.SelectedRow(), step.selected);
    EXPECT_EQ(RowChanges, step.changes);
    EXPECT_EQ(TopRow(), 1);
  }
}

TEST_F(GridTest, AHandlerMayMoveTheRowAgain) {
  Grid.OnRowChanged = [this](int oldRow, int newRow) {
    RowChanges.push_back({oldRow, newRow});
    if (newRow == 1) Grid.SetSelectedRow(5);
  };
  Grid.SetRows(10);
  EXPECT_EQ(RowChanges, (TPairs{{0, 1}, {1, 5}}));
  EXPECT_EQ(Grid.SelectedRow(), 5);
}

TEST_F(GridTest, AThrowingHandlerFindsTheStateUpdatedAndTheGridStillRepaints) {
  Grid.OnRowChanged = [](int, int) { throw Exception("raté"); };
  EXPECT_THROW(Grid.SetRows(20), Exception);
  EXPECT_EQ(Grid.Rows(), 20);
  EXPECT_EQ(Grid.SelectedRow(), 1);
  Grid.OnRowChanged = [this](int oldRow, int newRow) { RowChanges.push_back({oldRow, newRow}); };
  Grid.SetSelectedRow(1);
  EXPECT_TRUE(RowChanges.empty()); // row 1 counts as reported
  Pump();
  EXPECT_NE(std::find(LoadedCells.begin(), LoadedCells.end(), std::pair(1, 1)), LoadedCells.end());
}

TEST_F(GridTest, AThrowingHandlerOnAClickReachesTheErrorBoxOnce) {
  std::vector<std::string> boxes;
  auto saved = Application().ErrorBox;
  Application().ErrorBox = [&](const std::string& text, const std::string&, UINT) {
    boxes.push_back(text);
  };
  Grid.SetRows(10);
  Grid.OnRowChanged = [](int, int) { throw Exception("Impossible d'ouvrir le fichier"); };
  Click(CellPoint(1, 3));
  Application().ErrorBox = saved;
  EXPECT_EQ(boxes, std::vector<std::string>{"Impossible d'ouvrir le fichier."});
  EXPECT_EQ(Grid.SelectedRow(), 3);
}

TEST_F(GridTest, ShowCellScrollsOnlyWhenTheCellIsNotWhollyVisible) {
  Grid.SetRows(100);
  Forget();
  const struct {
    const char* what;
    int col, row, top;
  } cases[] = {
      {"a visible cell does not scroll", 1, Page, 1},
      {"the next row scrolls by one", 1, Page + 1, 2},
      {"a row far below comes to the bottom", 2, 50, 50 - Page + 1},
      {"a visible row again: no scroll", 4, 48, 50 - Page + 1},
      {"a row above comes to the top", 3, 10, 10},
      {"the last row", 1, 100, 100 - Page + 1},
      {"the first row", 1, 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Grid.ShowCell(c.col, c.row);
    EXPECT_EQ(TopRow(), c.top);
    EXPECT_EQ(LeftCol(), 1); // all four columns fit
  }
  EXPECT_EQ(Grid.SelectedRow(), 1);
  EXPECT_TRUE(RowChanges.empty());
}

TEST_F(GridTest, NarrowGridScrollsTheColumnsForShowCellAndLeftRight) {
  Grid.SetRows(100);
  SetWindowPos(Grid.Handle(), nullptr, 0, 0, 500, 130, SWP_NOZORDER);
  Forget();
  const struct {
    const char* what;
    std::function<void()> act;
    int left;
  } steps[] = {
      {"the last column brings the rest after the folder", [&] { Grid.ShowCell(4, 1); }, 3},
      {"a visible column does not scroll", [&] { Grid.ShowCell(3, 1); }, 3},
      {"a column to the left comes first", [&] { Grid.ShowCell(1, 1); }, 1},
      {"the folder needs the name out of the way", [&] { Grid.ShowCell(2, 1); }, 2},
      {"Left scrolls back by one", [&] { Key(VK_LEFT); }, 1},
      {"Left at the first column stays", [&] { Key(VK_LEFT); }, 1},
      {"Right scrolls by one", [&] { Key(VK_RIGHT); }, 2},
      {"Right again", [&] { Key(VK_RIGHT); }, 3},
      {"Right stops once the rest fits", [&] { Key(VK_RIGHT); }, 3},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    step.act();
    EXPECT_EQ(LeftCol(), step.left);
  }
  EXPECT_EQ(Grid.SelectedRow(), 1);
  EXPECT_TRUE(RowChanges.empty());
}

TEST_F(GridTest, OutOfRangeIndexesRaiseTheGridsMessages) {
  Grid.SetRows(10);
  const struct {
    const char* what;
    std::function<void()> call;
    const char* message;
  } cases[] = {
      {"column 0", [&] { Grid.Col(0); }, "grFic: Column index 0 out of range"},
      {"column 5", [&] { Grid.Col(5); }, "grFic: Column index 5 out of range"},
      {"ShowCell checks the column first", [&] { Grid.ShowCell(-1, 0); },
       "grFic: Column index -1 out of range"},
      {"ShowCell row 0", [&] { Grid.ShowCell(1, 0); }, "grFic: Row index 0 out of range"},
      {"ShowCell past Rows", [&] { Grid.ShowCell(4, 11); }, "grFic: Row index 11 out of range"},
      {"ShowCell on no rows",
       [&] {
         Grid.SetRows(0);
         Grid.ShowCell(1, 1);
       },
       "grFic: Row index 1 out of range"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      c.call();
      ADD_FAILURE() << "no exception";
    } catch (const EInvalidGridOperation& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST_F(GridTest, AHeadingClickIsRaisedOnReleaseOverTheSameHeadingOnly) {
  Grid.SetRows(10);
  Forget();
  const struct {
    const char* what;
    POINT down;
    std::vector<POINT> moves;
    POINT up;
    std::vector<int> clicks;
  } cases[] = {
      {"released over the same heading", CellPoint(2, 0), {}, CellPoint(2, 0), {2}},
      {"released over another heading", CellPoint(2, 0), {}, CellPoint(3, 0), {}},
      {"released over a data row", CellPoint(2, 0), {}, CellPoint(2, 3), {}},
      {"released outside the grid", CellPoint(1, 0), {}, {-30, 5}, {}},
      {"dragged off and back", CellPoint(4, 0), {CellPoint(4, 2), {900, 5}}, CellPoint(4, 0), {4}},
      {"pressed on a data row, released on a heading", CellPoint(1, 2), {}, CellPoint(1, 0), {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Forget();
    Grid.SetSelectedRow(1);
    Mouse(WM_LBUTTONDOWN, c.down);
    EXPECT_TRUE(HeadingClicks.empty()); // nothing before the release
    for (POINT at : c.moves)
      Mouse(WM_MOUSEMOVE, at);
    Mouse(WM_LBUTTONUP, c.up);
    EXPECT_EQ(HeadingClicks, c.clicks);
    EXPECT_EQ(GetCapture(), nullptr);
  }
  Grid.SetSelectedRow(1);
  Forget();
  Click(CellPoint(3, 0));
  EXPECT_EQ(Grid.SelectedRow(), 1); // a heading click moves no row
  EXPECT_TRUE(RowChanges.empty());
}

TEST_F(GridTest, KeysMoveTheRowAndReportEachMove) {
  Grid.SetRows(100);
  Forget();
  const struct {
    const char* what;
    WORD key;
    bool ctrl;
    int selected, top;
  } steps[] = {
      {"Down", VK_DOWN, false, 2, 1},
      {"Up", VK_UP, false, 1, 1},
      {"Up on the first row stays", VK_UP, false, 1, 1},
      {"Page Down moves a page", VK_NEXT, false, 1 + Page, 1 + Page},
      {"Ctrl+Down: the last whole row shown", VK_DOWN, true, 2 * Page, 1 + Page},
      {"Ctrl+Up: the first row shown", VK_UP, true, 1 + Page, 1 + Page},
      {"Page Up", VK_PRIOR, false, 1, 1},
      {"End alone does nothing", VK_END, false, 1, 1},
      {"Ctrl+End: the last row", VK_END, true, 100, 100 - Page + 1},
      {"Page Down on the last row stays", VK_NEXT, false, 100, 100 - Page + 1},
      {"Home alone does nothing", VK_HOME, false, 100, 100 - Page + 1},
      {"Right: the columns all fit", VK_RIGHT, false, 100, 100 - Page + 1},
      {"Ctrl+Home: the first row", VK_HOME, true, 1, 1},
      {"Ctrl+Down", VK_DOWN, true, Page, 1},
      {"Down past the last whole row scrolls by one", VK_DOWN, false, Page + 1, 2},
  };
  int previous = 1;
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    RowChanges.clear();
    Key(step.key, step.ctrl);
    EXPECT_EQ(Grid.SelectedRow(), step.selected);
    EXPECT_EQ(TopRow(), step.top);
    const TPairs expected =
        step.selected == previous ? TPairs{} : TPairs{{previous, step.selected}};
    EXPECT_EQ(RowChanges, expected);
    previous = step.selected;
  }
}

TEST_F(GridTest, KeysOnAnEmptyGridDoNothing) {
  for (WORD key : {VK_DOWN, VK_UP, VK_NEXT, VK_PRIOR, VK_HOME, VK_END})
    Key(key, key == VK_END);
  EXPECT_EQ(Grid.SelectedRow(), 0);
  EXPECT_TRUE(RowChanges.empty());
}

TEST_F(GridTest, ClickingADataRowTakesTheFocusAndMovesTheRow) {
  Grid.SetRows(100);
  SetFocus(nullptr); // the form would hand its own focus back to the grid
  Forget();
  Click(CellPoint(2, 5));
  EXPECT_EQ(GetFocus(), Grid.Handle());
  EXPECT_EQ(Grid.SelectedRow(), 5);
  EXPECT_EQ(RowChanges, (TPairs{{1, 5}}));
  RowChanges.clear();
  Click(CellPoint(4, 5));
  EXPECT_TRUE(RowChanges.empty()); // the same row
  SetWindowPos(Grid.Handle(), nullptr, 0, 0, 824, 120, SWP_NOZORDER);
  Click({300, TtsGrid::HeadingHeight + (Page - 1) * RowHeight + 1});
  EXPECT_EQ(Grid.SelectedRow(), Page);
  EXPECT_EQ(TopRow(), 2); // the partly shown row came into view
  Grid.SetRows(3);
  RowChanges.clear();
  Click(CellPoint(1, 5)); // below the last row
  EXPECT_EQ(Grid.SelectedRow(), 3);
  EXPECT_TRUE(RowChanges.empty());
}

TEST_F(GridTest, ScrollBarsAndWheelScrollWithoutMovingTheRow) {
  Grid.SetRows(100);
  Forget();
  const struct {
    const char* what;
    UINT message;
    WPARAM wParam;
    int top;
  } steps[] = {
      {"line down", WM_VSCROLL, SB_LINEDOWN, 2},
      {"page down", WM_VSCROLL, SB_PAGEDOWN, 2 + Page},
      {"line up", WM_VSCROLL, SB_LINEUP, 1 + Page},
      {"bottom", WM_VSCROLL, SB_BOTTOM, 100 - Page + 1},
      {"page down at the bottom", WM_VSCROLL, SB_PAGEDOWN, 100 - Page + 1},
      {"top", WM_VSCROLL, SB_TOP, 1},
      {"wheel towards the user: three rows", WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 4},
      {"wheel away", WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 1},
      {"horizontal: the columns all fit", WM_HSCROLL, SB_LINEDOWN, 1},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    Send(step.message, step.wParam);
    EXPECT_EQ(TopRow(), step.top);
  }
  EXPECT_EQ(Grid.SelectedRow(), 1);
  EXPECT_TRUE(RowChanges.empty());
}

// Inside a window whose dialog keys the loop handles, arrows must still reach the grid.
TEST_F(GridTest, ArrowKeysReachTheGridThroughDialogNavigation) {
  EXPECT_EQ(SendMessageA(Grid.Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
  HWND other = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 140, 80,
                               24, Form.Handle(), nullptr, nullptr, nullptr);
  Grid.SetRows(10);
  SetFocus(Grid.Handle());
  Application().DialogWindow = Form.Handle();
  PostMessageA(Grid.Handle(), WM_KEYDOWN, VK_DOWN, 0);
  Pump();
  Application().DialogWindow = nullptr;
  EXPECT_EQ(Grid.SelectedRow(), 2);
  EXPECT_EQ(GetFocus(), Grid.Handle());
  DestroyWindow(other);
}

// Painting pulls exactly the cells in view, whatever the row count.
TEST_F(GridTest, PaintingAsksOnlyForTheVisibleCells) {
  const auto rowsAsked = [this] {
    std::set<int> rows;
    for (auto [col, row] : LoadedCells) {
      EXPECT_TRUE(col >= 1 && col <= 4);
      rows.insert(row);
    }
    return rows;
  };
  const auto range = [](int first, int last) {
    std::set<int> rows;
    for (int row = first; row <= last; ++row)
      rows.insert(row);
    return rows;
  };
  Grid.SetRows(3);
  Forget();
  Pump();
  EXPECT_EQ(rowsAsked(), range(1, 3));
  Grid.SetRows(1000000);
  Forget();
  Grid.ReloadCells();
  Pump();
  EXPECT_EQ(LoadedCells.size(), 4u * Page);
  EXPECT_EQ(rowsAsked(), range(1, Page));
  Forget();
  Key(VK_END, true);
  Pump();
  EXPECT_EQ(rowsAsked(), range(1000000 - Page + 1, 1000000));
  Key(VK_UP, true);
  Pump();
  Forget();
  Key(VK_UP);
  Pump();
  // One row scrolled in: the rest of the picture was moved, not painted again.
  EXPECT_EQ(rowsAsked(), range(1000000 - Page, 1000000 - Page + 1));
}
