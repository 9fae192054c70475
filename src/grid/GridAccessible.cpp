#include "grid/GridAccessible.h"

#include "grid/TsGrid.h"

#include <algorithm>

TGridAccessible::TGridAccessible(TtsGrid& grid) : TAccessible(grid.Handle()), FGrid(grid) {}

long TGridAccessible::ChildCount() const {
  return FGrid.Rows() + 1;
}

std::string TGridAccessible::Name(long child) const {
  if (child == CHILDID_SELF)
    return FGrid.FLabel ? WithoutMnemonic(WindowCaption(FGrid.FLabel)) : std::string();
  if (child == HeadingChild) return HeadingsName();
  return RowName(RowOfChild(child));
}

// "Fichier : a.txt, Dossier : C:\x, ...": the cells said with their headings, in column order.
std::string TGridAccessible::RowName(int dataRow) const {
  std::string name;
  for (int col = 1; col <= FGrid.Cols(); ++col) {
    if (col > 1) name += ", ";
    name += FGrid.Col(col).Heading() + " : " + FGrid.CellText(col, dataRow);
  }
  return name;
}

std::string TGridAccessible::HeadingsName() const {
  std::string name;
  for (int col = 1; col <= FGrid.Cols(); ++col) {
    if (col > 1) name += ", ";
    name += FGrid.Col(col).Heading();
  }
  return name;
}

long TGridAccessible::Role(long child) const {
  if (child == CHILDID_SELF) return ROLE_SYSTEM_LIST;
  return child == HeadingChild ? ROLE_SYSTEM_COLUMNHEADER : ROLE_SYSTEM_LISTITEM;
}

long TGridAccessible::State(long child) const {
  const long grid = TAccessible::State(CHILDID_SELF);
  if (child == CHILDID_SELF) return grid;
  long state = STATE_SYSTEM_READONLY | (grid & STATE_SYSTEM_INVISIBLE);
  if (child == HeadingChild) return state;
  const int row = RowOfChild(child);
  state |= STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
  if (row == FGrid.SelectedRow()) state |= STATE_SYSTEM_SELECTED;
  if (row == FGrid.SelectedRow() && Focused()) state |= STATE_SYSTEM_FOCUSED;
  if (row < FGrid.FTopRow || row >= FGrid.FTopRow + FGrid.PageRows())
    state |= STATE_SYSTEM_OFFSCREEN;
  return state;
}

// A row spans the columns as drawn; one scrolled out of view lies outside the client area.
RECT TGridAccessible::Bounds(long child) const {
  const RECT client = TAccessible::Bounds(CHILDID_SELF);
  if (child == CHILDID_SELF) return client;
  const LONG right = std::min<LONG>(client.right, FGrid.ColsRight());
  if (child == HeadingChild) return {0, 0, right, TtsGrid::HeadingHeight};
  const int top = FGrid.RowTop(RowOfChild(child));
  return {0, top, right, top + FGrid.FRowHeight};
}

long TGridAccessible::ChildAt(POINT client) const {
  if (client.y < TtsGrid::HeadingHeight) return HeadingChild;
  const int row = FGrid.DataRowAt(client.y);
  return row ? ChildOfRow(row) : CHILDID_SELF;
}

long TGridAccessible::FocusedChild() const {
  if (!Focused()) return -1;
  return FGrid.SelectedRow() ? ChildOfRow(FGrid.SelectedRow()) : CHILDID_SELF;
}

long TGridAccessible::SelectedChild() const {
  return FGrid.SelectedRow() ? ChildOfRow(FGrid.SelectedRow()) : -1;
}

bool TGridAccessible::Focused() const {
  return GetFocus() == FGrid.Handle();
}
