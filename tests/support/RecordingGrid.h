#pragma once
// A result grid that records, in order, every call the ordering makes, and keeps the current
// row as the real grid does: writing the current row changes nothing, another row in range
// raises OnRowChanged(old, new), a row out of range is ignored.
#include <functional>
#include <string>
#include <vector>

#include "search/ResultOrder.h"

class TRecordingGrid : public TResultGrid {
public:
  explicit TRecordingGrid(int rows = 0, int selectedRow = 0)
      : Rows(rows), FSelectedRow(selectedRow) {}

  int Cols() const override { return 4; }
  int SelectedRow() const override { return FSelectedRow; }
  void SetSelectedRow(int row) override;
  void ShowCell(int col, int row) override;
  void ReloadCells() override;
  void SetSortMark(int col, TSortMark mark) override;

  int Rows;
  // Raised like the real grid's event, so a test can make the handler fail.
  std::function<void(int oldRow, int newRow)> OnRowChanged;
  // "Mark(1,*)", "Mark(2,-)", "SelectedRow(3)", "RowChanged(1,3)", "ShowCell(1,3)", "Reload".
  std::vector<std::string> Calls;

private:
  int FSelectedRow;
};
