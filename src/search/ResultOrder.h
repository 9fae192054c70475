#pragma once
// Ordering of the found files by one of the four result columns, and the go-to by the start
// of a name. The grid is reached through TResultGrid, which the main window adapts.
#include <string_view>

#include "search/InfoFic.h"

// The heading marks the ordering uses: a bullet on the sorted column, nothing elsewhere.
enum class TSortMark { spNone, spBullet };

// What the ordering needs of the result grid. Rows and columns are 1-based; row 0 is none.
class TResultGrid {
public:
  virtual ~TResultGrid() = default;
  virtual int Cols() const = 0;
  virtual int SelectedRow() const = 0;
  // Raises the grid's row-changed event when the row differs from the current one.
  virtual void SetSelectedRow(int row) = 0;
  virtual void ShowCell(int col, int row) = 0;
  virtual void ReloadCells() = 0;
  virtual void SetSortMark(int col, TSortMark mark) = 0;
};

// 1 when a comes after b, -1 when before, 0 when equal for the column.
using TCompareFunc = int (*)(const TInfoFic& a, const TInfoFic& b);

// Name then Folder (or Folder then Name) as one key with no separator, upper-cased by the
// code page and compared as unsigned bytes, the shorter prefix first.
int CompareByName(const TInfoFic& a, const TInfoFic& b);
int CompareByFolder(const TInfoFic& a, const TInfoFic& b);
// The true size; the packed time in calendar order.
int CompareBySize(const TInfoFic& a, const TInfoFic& b);
int CompareByTime(const TInfoFic& a, const TInfoFic& b);

// Marks the column, sorts (not stable: equal keys may change places on every sort), keeps the
// current file current and in view, and renumbers Index to the positions.
void SortFoundFiles(TFoundFiles& files, TResultGrid& grid, int column, TCompareFunc compare);

// A click on heading dataCol: columns 1 to 4 sort by their comparison, others sort nothing;
// the grid is reloaded in every case.
void SortByHeading(TFoundFiles& files, TResultGrid& grid, int dataCol);

// Makes current the first file, from the top of the list, whose name starts with text in any
// letter case; an empty text or no such file changes nothing.
void GoToName(const TFoundFiles& files, TResultGrid& grid, std::string_view text);
