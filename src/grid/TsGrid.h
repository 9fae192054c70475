#pragma once
// TtsGrid, a data grid that stores no cells: it knows how many data rows there are and pulls
// the text of each cell through OnCellLoaded when it paints that cell, so that showing and
// scrolling cost only the visible cells however long the list. Rows are selected whole, one
// at a time, and the current row is the selected row; cells cannot be edited, columns and rows
// cannot be selected, moved or resized. Row 0 is the heading row; data rows and columns are
// numbered from 1.
#include "base/SysUtils.h"
#include "grid/SortPicture.h"
#include "toolkit/Accessible.h"
#include "toolkit/Control.h"
#include "toolkit/Gdi.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// cbGrid follows the grid's own HeadingButton; cbCell and cbNone draw a plain heading.
enum TtsColHeadingButton { cbCell, cbButton, cbGrid, cbNone };
enum TtsHeadingButton { hbNone, hbButton };

class EInvalidGridOperation : public Exception {
public:
  using Exception::Exception;
};

// The cell's text arrives empty; a cell left empty is drawn blank.
using TtsCellLoadedEvent = std::function<void(int dataCol, int dataRow, std::string& value)>;
using TtsHeadingClickEvent = std::function<void(int dataCol)>;
using TtsRowChangedEvent = std::function<void(int oldRow, int newRow)>;

class TtsGrid;

class TtsCol {
public:
  TtsCol(TtsGrid& grid, int dataCol) : FGrid(grid), FDataCol(dataCol) {}

  const std::string& Heading() const { return FHeading; }
  void SetHeading(const std::string& value);
  int Width() const { return FWidth; }
  void SetWidth(int value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TtsColHeadingButton HeadingButton() const { return FHeadingButton; }
  void SetHeadingButton(TtsColHeadingButton value);
  TtsSortPicture SortPicture() const { return FSortPicture; }
  void SetSortPicture(TtsSortPicture value);

private:
  TtsGrid& FGrid;
  int FDataCol;
  std::string FHeading;
  int FWidth = 64;
  TAlignment FAlignment = taLeftJustify;
  TtsColHeadingButton FHeadingButton = cbGrid;
  TtsSortPicture FSortPicture = spNone;
};

class TtsGrid : public TControl {
public:
  // A child of parent with a sunken border; name starts the messages of its errors.
  TtsGrid(HWND parent, const TBounds& bounds, std::string name);
  ~TtsGrid() override;

  const std::string& Name() const { return FName; }
  int Cols() const { return static_cast<int>(FCols.size()); }
  // Throws EInvalidGridOperation for a column outside 1 to Cols.
  TtsCol& Col(int dataCol);

  int Rows() const { return FRows; }
  // A negative count sets 0. From 0 rows, row 1 becomes current; with no rows, no row is.
  void SetRows(int value);
  // The current data row, 0 when there is none. Setting it does not scroll; a row outside
  // 0 to Rows is ignored.
  int SelectedRow() const { return FCurrentRow; }
  void SetSelectedRow(int value);
  // Scrolls just far enough that the cell is wholly visible; throws EInvalidGridOperation for
  // a column outside 1 to Cols (checked first) or a row outside 1 to Rows.
  void ShowCell(int dataCol, int dataRow);
  // Repaints the whole grid, asking again for every visible cell.
  void ReloadCells();
  // Whether text, in the cells' font, fits a cell of the column whole (a cell cuts what does
  // not); throws EInvalidGridOperation for a column outside 1 to Cols.
  bool TextFits(int dataCol, const std::string& text);

  int DefaultRowHeight() const { return FRowHeight; }
  void SetDefaultRowHeight(int value);
  TtsHeadingButton HeadingButton() const { return FHeadingButton; }
  void SetHeadingButton(TtsHeadingButton value);
  // Whether the rows follow the scroll-bar thumb while it is dragged, or only when released.
  bool ThumbTracking() const { return FThumbTracking; }
  void SetThumbTracking(bool value) { FThumbTracking = value; }
  // The text control whose words name the grid to a screen reader.
  void SetLabel(HWND label) { FLabel = label; }

  TtsCellLoadedEvent OnCellLoaded;
  // Raised when the mouse is released over the heading it was pressed on.
  TtsHeadingClickEvent OnHeadingClick;
  // Raised, before the operation that moved it returns, whenever the current row differs
  // from the one last reported.
  TtsRowChangedEvent OnRowChanged;

  static constexpr int HeadingHeight = 15;

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  friend class TtsCol;
  friend class TGridAccessible;

  // Geometry, in client coordinates.
  int ClientWidth() const;
  int ClientHeight() const;
  int FullRows() const;
  int PageRows() const { return FullRows() > 0 ? FullRows() : 1; }
  int MaxTopRow() const;
  int MaxLeftCol() const;
  int WidthOf(int fromCol, int toCol) const; // of the columns fromCol to toCol - 1
  int ColLeft(int dataCol) const;
  int ColsRight() const { return ColLeft(Cols() + 1); }
  int RowTop(int dataRow) const { return HeadingHeight + (dataRow - FTopRow) * FRowHeight; }
  int ColAt(int x) const;
  int DataRowAt(int y) const;
  bool IsButton(int dataCol) const;
  // The first row or column that scrolling should leave in view to show the given one whole.
  int TopRowShowing(int dataRow) const;
  int LeftColShowing(int dataCol) const;

  void ColumnChanged(bool resized);
  void InvalidateRow(int dataRow);
  void InvalidateHeading(int dataCol);
  void UpdateScrollBars();
  void ScrollTo(int topRow, int leftCol);
  void MoveTo(int dataRow);
  void SetCurrentRow(int dataRow);
  void ReportRowChange();
  void AnnounceCurrentRow();
  void FocusGained();
  std::string CellText(int dataCol, int dataRow) const;

  struct TColSpan {
    int Col, Left, Right;
  };
  // The shown columns that reach into the strip from left to right (client x).
  std::vector<TColSpan> ColsWithin(int left, int right) const;
  void Paint();
  void PaintHeading(HDC dc, int dataCol, const RECT& cell);
  void PaintCell(HDC dc, int dataCol, int dataRow, const RECT& cell);
  void PaintGridLines(HDC dc, const RECT& cell);
  void PaintFocus(HDC dc);

  void KeyDown(WPARAM key);
  void VerticalScroll(WORD code);
  void HorizontalScroll(WORD code);
  void MouseWheel(short delta);
  void MouseDown(int x, int y);
  void MouseMove(int x, int y);
  void MouseUp(int x, int y);
  void CaptureLost();
  void Resized();

  std::string FName;
  std::vector<std::unique_ptr<TtsCol>> FCols;
  int FRows = 4;
  int FRowHeight = 24;
  TtsHeadingButton FHeadingButton = hbNone;
  bool FThumbTracking = false;
  int FCurrentRow = 0;
  int FReportedRow = 0;
  int FTopRow = 1;
  int FLeftCol = 1;
  int FWheelDelta = 0;
  int FPressedCol = 0;       // the heading the mouse went down on, while it is held
  bool FPressedOver = false; // whether the mouse is still over that heading
  bool FUpdatingScrollBars = false;
  HWND FLabel = nullptr;
  TGdiObject<HFONT> FFont;
  TGdiObject<HBRUSH> FLineBrush;
  TAccessibleSlot FAccessible;
};
