#include "support/RecordingGrid.h"

#include "base/SysUtils.h"

void TRecordingGrid::SetSelectedRow(int row) {
  Calls.push_back(Format("SelectedRow(%d)", row));
  if (row < 0 || row > Rows || row == FSelectedRow) return;
  const int old = FSelectedRow;
  FSelectedRow = row;
  Calls.push_back(Format("RowChanged(%d,%d)", old, row));
  if (OnRowChanged) OnRowChanged(old, row);
}

void TRecordingGrid::ShowCell(int col, int row) {
  Calls.push_back(Format("ShowCell(%d,%d)", col, row));
}

void TRecordingGrid::ReloadCells() {
  Calls.push_back("Reload");
}

void TRecordingGrid::SetSortMark(int col, TSortMark mark) {
  Calls.push_back(Format("Mark(%d,%s)", col, mark == TSortMark::spBullet ? "*" : "-"));
}
