#include "GridFixture.h"

#include "grid/GridAccessible.h"
#include "support/ScreenReader.h"

#include <memory>

namespace {
constexpr long Selected = STATE_SYSTEM_SELECTED, Focused = STATE_SYSTEM_FOCUSED;
constexpr long Offscreen = STATE_SYSTEM_OFFSCREEN;

long RowChild(int row) {
  return TGridAccessible::ChildOfRow(row);
}
} // namespace

// A million rows: the client reads one row, and the grid asks for that row's cells alone.
TEST_F(GridTest, AScreenReaderReadsTheRowsItAsksForFromTheirCellsAlone) {
  TScreenReader reader;
  Grid.SetRows(1000000);
  Pump();
  Forget();
  TAccessibleClient grid(Grid.Handle());
  ASSERT_EQ(grid.Result(), S_OK);
  EXPECT_EQ(grid.ChildCount(), 1000001);
  EXPECT_EQ(grid.Name(1), "Fichier, Dossier, Taille, Date Heure");
  EXPECT_EQ(grid.Name(RowChild(500000)),
            "Fichier : Scrivane500000.cpp, Dossier : C:\\Projets\\Scrivane\\src, "
            "Taille : 768000000, Date Heure : 08/12/2026 05:43");
  EXPECT_EQ(LoadedCells, (TPairs{{1, 500000}, {2, 500000}, {3, 500000}, {4, 500000}}));
  const struct {
    long child, role;
  } roles[] = {{CHILDID_SELF, ROLE_SYSTEM_LIST},
               {1, ROLE_SYSTEM_COLUMNHEADER},
               {RowChild(1), ROLE_SYSTEM_LISTITEM},
               {RowChild(1000000), ROLE_SYSTEM_LISTITEM}};
  for (const auto& r : roles) {
    SCOPED_TRACE(r.child);
    EXPECT_EQ(grid.Role(r.child), r.role);
  }
  BSTR text = nullptr;
  EXPECT_EQ(grid->get_accName(TAccessibleClient::Child(1000002), &text), E_INVALIDARG);
}

// The current row is the selection, and the focus while the grid has the keyboard.
TEST_F(GridTest, TheCurrentRowIsSelectedAndFocusedOnlyWithTheKeyboard) {
  TScreenReader reader;
  Grid.SetRows(100);
  Grid.SetSelectedRow(3);
  SetFocus(Form.Handle());
  Pump();
  TAccessibleClient grid(Grid.Handle());
  const struct {
    const char* what;
    bool gridFocused;
    int row;
    long state; // of the bits below
    long focus;
  } reads[] = {{"the current row, unfocused", false, 3, Selected, -1},
               {"another row", false, 2, 0, -1},
               {"a row below the page", false, 50, Offscreen, -1},
               {"the current row, focused", true, 3, Selected | Focused, RowChild(3)}};
  for (const auto& r : reads) {
    SCOPED_TRACE(r.what);
    SetFocus(r.gridFocused ? Grid.Handle() : Form.Handle());
    EXPECT_EQ(grid.State(RowChild(r.row)) & (Selected | Focused | Offscreen), r.state);
    EXPECT_EQ(grid.Focus(), r.focus);
    EXPECT_EQ(grid.Selection(), RowChild(3));
  }
}

// The reader speaks the row that becomes current, and the focus event only while the grid
// has the keyboard; taking the keyboard back says the row again.
TEST_F(GridTest, ARowChangeAndTheGridsFocusRaiseTheEventsOfTheCurrentRow) {
  TScreenReader reader;
  ASSERT_TRUE(reader.Listening());
  Grid.SetRows(100);
  SetFocus(Grid.Handle());
  Pump();
  const HWND grid = Grid.Handle();
  Key(VK_DOWN);
  EXPECT_TRUE(reader.Hears({EVENT_OBJECT_SELECTION, grid, OBJID_CLIENT, RowChild(2)}));
  EXPECT_TRUE(reader.Hears({EVENT_OBJECT_FOCUS, grid, OBJID_CLIENT, RowChild(2)}));
  SetFocus(nullptr); // the form would hand its own focus back to the grid
  Key(VK_DOWN);
  EXPECT_TRUE(reader.Hears({EVENT_OBJECT_SELECTION, grid, OBJID_CLIENT, RowChild(3)}));
  EXPECT_FALSE(reader.Heard({EVENT_OBJECT_FOCUS, grid, OBJID_CLIENT, RowChild(3)}));
  SetFocus(grid);
  EXPECT_TRUE(reader.Hears({EVENT_OBJECT_FOCUS, grid, OBJID_CLIENT, RowChild(3)}));
}

TEST_F(GridTest, HitTestAndLocationAgreeOnTheHeadingAndTheRowsShown) {
  TScreenReader reader;
  Grid.SetRows(100);
  Pump();
  TAccessibleClient grid(Grid.Handle());
  for (int row : {0, 1, 5}) {
    SCOPED_TRACE(row);
    POINT at = CellPoint(2, row);
    ClientToScreen(Grid.Handle(), &at);
    VARIANT hit;
    ASSERT_EQ(grid->accHitTest(at.x, at.y, &hit), S_OK);
    ASSERT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, row == 0 ? 1 : RowChild(row));
    LONG left, top, width, height;
    ASSERT_EQ(grid->accLocation(&left, &top, &width, &height, hit), S_OK);
    EXPECT_TRUE(at.x >= left && at.x < left + width && at.y >= top && at.y < top + height);
    EXPECT_EQ(height, row == 0 ? TtsGrid::HeadingHeight : RowHeight);
  }
}

// A client may hold the object past the grid's life, and a failing cell handler must not
// unwind into the system: both come back to the client as failures.
TEST_F(GridTest, FailuresReachTheClientAsErrorsNeverAsCrashes) {
  TScreenReader reader;
  auto other = std::make_unique<TtsGrid>(Form.Handle(), TBounds{0, 0, 300, 100}, "grAutre");
  other->SetRows(10);
  other->OnCellLoaded = [](int, int, std::string&) { throw Exception("Cellule illisible"); };
  TAccessibleClient grid(other->Handle());
  BSTR name = nullptr;
  EXPECT_EQ(grid->get_accName(TAccessibleClient::Child(RowChild(2)), &name), E_FAIL);
  other.reset();
  LONG count = 0;
  EXPECT_EQ(grid->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(grid->get_accName(TAccessibleClient::Child(RowChild(2)), &name), CO_E_OBJNOTCONNECTED);
}
