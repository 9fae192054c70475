#include "grid/TsGrid.h"

#include "grid/GridAccessible.h"

#include <windowsx.h>

#include <algorithm>

namespace {
constexpr int DefaultCols = 4;
constexpr int CellPadding = 2;
constexpr COLORREF LineColor = RGB(192, 192, 192);

UINT AlignmentFlags(TAlignment alignment) {
  switch (alignment) {
  case taRightJustify: return DT_RIGHT;
  case taCenter: return DT_CENTER;
  default: return DT_LEFT;
  }
}

// Where a cell's text goes: two pixels off the side it is aligned to (both for centred text).
// The other side keeps none, so that a text as wide as the cell (a size of ten digits) is
// not cut for a margin.
RECT TextBounds(const RECT& inner, TAlignment alignment) {
  RECT bounds = inner;
  if (alignment != taRightJustify) bounds.left += CellPadding;
  if (alignment != taLeftJustify) bounds.right -= CellPadding;
  return bounds;
}

void DrawCellText(HDC dc, const std::string& text, RECT bounds, UINT alignment) {
  DrawTextA(dc, text.data(), static_cast<int>(text.size()), &bounds,
            alignment | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

int TrackPosition(HWND window, int bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(window, bar, &info);
  return info.nTrackPos;
}

// Positions run from 1 to last; the bar hides itself when one page holds them all.
void SetScrollBar(HWND window, int bar, int last, int page, int position) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 1;
  info.nMax = last;
  info.nPage = static_cast<UINT>(page);
  info.nPos = position;
  SetScrollInfo(window, bar, &info, TRUE);
}

// The position a scroll-bar request asks for; a dragged thumb counts only when tracking.
int ScrollTarget(HWND window, int bar, WORD code, int position, int page, int last, bool tracking) {
  switch (code) {
  case SB_LINEUP: return position - 1;
  case SB_LINEDOWN: return position + 1;
  case SB_PAGEUP: return position - page;
  case SB_PAGEDOWN: return position + page;
  case SB_TOP: return 1;
  case SB_BOTTOM: return last;
  case SB_THUMBTRACK: return tracking ? TrackPosition(window, bar) : position;
  case SB_THUMBPOSITION: return TrackPosition(window, bar);
  default: return position;
  }
}
} // namespace

void TtsCol::SetHeading(const std::string& value) {
  if (value == FHeading) return;
  FHeading = value;
  FGrid.ColumnChanged(false);
}

void TtsCol::SetWidth(int value) {
  value = std::max(0, value);
  if (value == FWidth) return;
  FWidth = value;
  FGrid.ColumnChanged(true);
}

void TtsCol::SetAlignment(TAlignment value) {
  if (value == FAlignment) return;
  FAlignment = value;
  FGrid.ColumnChanged(false);
}

void TtsCol::SetHeadingButton(TtsColHeadingButton value) {
  if (value == FHeadingButton) return;
  FHeadingButton = value;
  FGrid.ColumnChanged(false);
}

void TtsCol::SetSortPicture(TtsSortPicture value) {
  if (value == FSortPicture) return;
  FSortPicture = value;
  FGrid.ColumnChanged(false);
}

TtsGrid::TtsGrid(HWND parent, const TBounds& bounds, std::string name)
    : FName(std::move(name)),
      FFont(CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif")),
      FLineBrush(CreateSolidBrush(LineColor)) {
  for (int col = 1; col <= DefaultCols; ++col)
    FCols.push_back(std::make_unique<TtsCol>(*this, col));
  CreateHandle({"TtsGrid"}, {.ExStyle = WS_EX_CLIENTEDGE,
                             .Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL,
                             .Bounds = bounds,
                             .Parent = parent});
  UpdateScrollBars();
}

// The window goes first, so that its last messages still find the columns and the font.
TtsGrid::~TtsGrid() {
  DestroyHandle();
}

TtsCol& TtsGrid::Col(int dataCol) {
  if (dataCol < 1 || dataCol > Cols())
    throw EInvalidGridOperation(FName + ": " + Format("Column index %d out of range", dataCol));
  return *FCols[dataCol - 1];
}

bool TtsGrid::TextFits(int dataCol, const std::string& text) {
  const TtsCol& col = Col(dataCol);
  const RECT bounds = TextBounds({0, 0, col.Width() - 1, FRowHeight}, col.Alignment());
  const TScreenDC dc(GetDC(nullptr)); // the same device as the grid's
  const TSelection font(dc.Get(), FFont.Get());
  SIZE extent{};
  GetTextExtentPoint32A(dc.Get(), text.data(), static_cast<int>(text.size()), &extent);
  return extent.cx <= bounds.right - bounds.left;
}

void TtsGrid::SetRows(int value) {
  value = std::max(0, value);
  if (value == FRows) return;
  const bool wasEmpty = FRows == 0;
  FRows = value;
  if (FRows == 0)
    FCurrentRow = 0;
  else if (wasEmpty)
    FCurrentRow = 1;
  else
    FCurrentRow = std::min(FCurrentRow, FRows);
  FTopRow = std::clamp(FTopRow, 1, MaxTopRow());
  UpdateScrollBars();
  InvalidateRect(Handle(), nullptr, FALSE);
  NotifyWinEvent(EVENT_OBJECT_REORDER, Handle(), OBJID_CLIENT, CHILDID_SELF);
  ReportRowChange();
}

void TtsGrid::SetSelectedRow(int value) {
  if (value < 0 || value > FRows || value == FCurrentRow) return;
  SetCurrentRow(value);
  ReportRowChange();
}

void TtsGrid::ShowCell(int dataCol, int dataRow) {
  Col(dataCol);
  if (dataRow < 1 || dataRow > FRows)
    throw EInvalidGridOperation(FName + ": " + Format("Row index %d out of range", dataRow));
  ScrollTo(TopRowShowing(dataRow), LeftColShowing(dataCol));
}

// The rows' texts change under a screen reader too: it reads them again.
void TtsGrid::ReloadCells() {
  InvalidateRect(Handle(), nullptr, FALSE);
  NotifyWinEvent(EVENT_OBJECT_REORDER, Handle(), OBJID_CLIENT, CHILDID_SELF);
}

void TtsGrid::SetDefaultRowHeight(int value) {
  value = std::max(1, value);
  if (value == FRowHeight) return;
  FRowHeight = value;
  Resized();
}

void TtsGrid::SetHeadingButton(TtsHeadingButton value) {
  if (value == FHeadingButton) return;
  FHeadingButton = value;
  InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT TtsGrid::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_PAINT: Paint(); return 0;
  case WM_ERASEBKGND: return 1;
  case WM_SIZE: Resized(); return 0;
  case WM_GETDLGCODE: return DLGC_WANTARROWS;
  case WM_KEYDOWN: KeyDown(wParam); return 0;
  case WM_VSCROLL: VerticalScroll(LOWORD(wParam)); return 0;
  case WM_HSCROLL: HorizontalScroll(LOWORD(wParam)); return 0;
  case WM_MOUSEWHEEL: MouseWheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
  case WM_LBUTTONDOWN: MouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
  case WM_MOUSEMOVE: MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
  case WM_LBUTTONUP: MouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
  case WM_CAPTURECHANGED: CaptureLost(); return 0;
  case WM_SETFOCUS: FocusGained(); return 0;
  case WM_KILLFOCUS: InvalidateRow(FCurrentRow); return 0; // the focus rectangle
  case WM_GETOBJECT:
    return FAccessible.Answer(Handle(), wParam, lParam,
                              [this] { return new TGridAccessible(*this); });
  case WM_DESTROY: FAccessible.Reset(); return 0;
  default: return TWindow::WndProc(message, wParam, lParam);
  }
}

int TtsGrid::ClientWidth() const {
  RECT client;
  GetClientRect(Handle(), &client);
  return client.right;
}

int TtsGrid::ClientHeight() const {
  RECT client;
  GetClientRect(Handle(), &client);
  return client.bottom;
}

// A cell counts as wholly shown when all but its closing grid line is in view: otherwise four
// columns that fill the grid exactly would need a scroll bar for one pixel of line.
int TtsGrid::FullRows() const {
  return std::max(0, (ClientHeight() - HeadingHeight + 1) / FRowHeight);
}

int TtsGrid::MaxTopRow() const {
  return std::max(1, FRows - PageRows() + 1);
}

// The first column from which all the rest fit; the last one when even it alone does not.
int TtsGrid::MaxLeftCol() const {
  const int width = ClientWidth();
  int col = Cols();
  for (int used = 0; col >= 1; --col) {
    used += FCols[col - 1]->Width();
    if (used > width + 1) break;
  }
  return std::clamp(col + 1, 1, Cols());
}

int TtsGrid::WidthOf(int fromCol, int toCol) const {
  int width = 0;
  for (int col = fromCol; col < toCol; ++col)
    width += FCols[col - 1]->Width();
  return width;
}

int TtsGrid::ColLeft(int dataCol) const {
  return dataCol >= FLeftCol ? WidthOf(FLeftCol, dataCol) : -WidthOf(dataCol, FLeftCol);
}

int TtsGrid::ColAt(int x) const {
  for (int col = FLeftCol, left = 0; col <= Cols() && x >= 0; ++col) {
    left += FCols[col - 1]->Width();
    if (x < left) return col;
  }
  return 0;
}

int TtsGrid::DataRowAt(int y) const {
  if (y < HeadingHeight) return 0;
  const int row = FTopRow + (y - HeadingHeight) / FRowHeight;
  return row <= FRows ? row : 0;
}

bool TtsGrid::IsButton(int dataCol) const {
  const TtsColHeadingButton button = FCols[dataCol - 1]->HeadingButton();
  return button == cbButton || (button == cbGrid && FHeadingButton == hbButton);
}

int TtsGrid::TopRowShowing(int dataRow) const {
  if (dataRow < FTopRow) return dataRow;
  if (dataRow >= FTopRow + PageRows()) return dataRow - PageRows() + 1;
  return FTopRow;
}

int TtsGrid::LeftColShowing(int dataCol) const {
  if (dataCol <= FLeftCol) return dataCol;
  int left = FLeftCol;
  while (left < dataCol && WidthOf(left, dataCol + 1) > ClientWidth() + 1)
    ++left;
  return left;
}

void TtsGrid::ColumnChanged(bool resized) {
  if (resized)
    Resized();
  else
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TtsGrid::InvalidateRow(int dataRow) {
  if (dataRow < FTopRow) return;
  RECT row{0, RowTop(dataRow), ClientWidth(), RowTop(dataRow) + FRowHeight};
  if (row.top < ClientHeight()) InvalidateRect(Handle(), &row, FALSE);
}

void TtsGrid::InvalidateHeading(int dataCol) {
  RECT heading{ColLeft(dataCol), 0, ColLeft(dataCol) + FCols[dataCol - 1]->Width(), HeadingHeight};
  InvalidateRect(Handle(), &heading, FALSE);
}

void TtsGrid::UpdateScrollBars() {
  if (FUpdatingScrollBars) return;
  FUpdatingScrollBars = true;
  // Showing one bar takes room from the other's page; a few rounds settle both.
  for (int round = 0; round < 3; ++round) {
    const int width = ClientWidth(), height = ClientHeight();
    SetScrollBar(Handle(), SB_VERT, std::max(1, FRows), PageRows(), FTopRow);
    SetScrollBar(Handle(), SB_HORZ, Cols(), Cols() - MaxLeftCol() + 1, FLeftCol);
    if (width == ClientWidth() && height == ClientHeight()) break;
  }
  FUpdatingScrollBars = false;
}

// Moves what is already drawn and leaves only the uncovered strips to be painted.
void TtsGrid::ScrollTo(int topRow, int leftCol) {
  topRow = std::clamp(topRow, 1, MaxTopRow());
  leftCol = std::clamp(leftCol, 1, MaxLeftCol());
  const int dx = -ColLeft(leftCol);
  const int dy = (FTopRow - topRow) * FRowHeight;
  if (dx == 0 && dy == 0) return;
  FTopRow = topRow;
  FLeftCol = leftCol;
  RECT client{0, 0, ClientWidth(), ClientHeight()};
  if (dx) ScrollWindowEx(Handle(), dx, 0, &client, &client, nullptr, nullptr, SW_INVALIDATE);
  RECT rows{0, HeadingHeight, client.right, client.bottom};
  if (dy) ScrollWindowEx(Handle(), 0, dy, &rows, &rows, nullptr, nullptr, SW_INVALIDATE);
  if (dy) SetScrollPos(Handle(), SB_VERT, FTopRow, TRUE);
  if (dx) SetScrollPos(Handle(), SB_HORZ, FLeftCol, TRUE);
}

// A move of the user's: the row is scrolled into view and reported.
void TtsGrid::MoveTo(int dataRow) {
  if (FRows == 0) return;
  dataRow = std::clamp(dataRow, 1, FRows);
  ScrollTo(TopRowShowing(dataRow), FLeftCol);
  if (dataRow != FCurrentRow) SetCurrentRow(dataRow);
  ReportRowChange();
}

void TtsGrid::SetCurrentRow(int dataRow) {
  InvalidateRow(FCurrentRow);
  FCurrentRow = dataRow;
  InvalidateRow(FCurrentRow);
}

// The state is complete before the handler runs, so that a handler that calls back into the
// grid, or throws, finds it consistent.
void TtsGrid::ReportRowChange() {
  if (FCurrentRow == FReportedRow) return;
  const int oldRow = FReportedRow;
  FReportedRow = FCurrentRow;
  AnnounceCurrentRow();
  if (OnRowChanged) OnRowChanged(oldRow, FCurrentRow);
}

// For a screen reader, which then reads the row; without a listening client the system drops
// the events at once.
void TtsGrid::AnnounceCurrentRow() {
  const LONG child = FCurrentRow ? TGridAccessible::ChildOfRow(FCurrentRow) : CHILDID_SELF;
  if (FCurrentRow) NotifyWinEvent(EVENT_OBJECT_SELECTION, Handle(), OBJID_CLIENT, child);
  if (GetFocus() == Handle()) NotifyWinEvent(EVENT_OBJECT_FOCUS, Handle(), OBJID_CLIENT, child);
}

void TtsGrid::FocusGained() {
  InvalidateRow(FCurrentRow); // the focus rectangle
  AnnounceCurrentRow();
}

std::string TtsGrid::CellText(int dataCol, int dataRow) const {
  std::string value;
  if (OnCellLoaded) OnCellLoaded(dataCol, dataRow, value);
  return value;
}

void TtsGrid::Paint() {
  TPaintBuffer paint(Handle());
  const HDC dc = paint.DC();
  const RECT& area = paint.Area();
  FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
  const TSelection font(dc, FFont.Get());
  SetBkMode(dc, TRANSPARENT);
  const std::vector<TColSpan> cols = ColsWithin(area.left, area.right);
  if (area.top < HeadingHeight)
    for (const TColSpan& col : cols)
      PaintHeading(dc, col.Col, {col.Left, 0, col.Right, HeadingHeight});
  if (area.bottom <= HeadingHeight) return;
  const int firstRow = FTopRow + std::max(0, int(area.top) - HeadingHeight) / FRowHeight;
  const int lastRow =
      std::min(FRows, FTopRow + (int(area.bottom) - 1 - HeadingHeight) / FRowHeight);
  for (int row = firstRow; row <= lastRow; ++row)
    for (const TColSpan& col : cols)
      PaintCell(dc, col.Col, row, {col.Left, RowTop(row), col.Right, RowTop(row) + FRowHeight});
  PaintFocus(dc);
}

std::vector<TtsGrid::TColSpan> TtsGrid::ColsWithin(int left, int right) const {
  std::vector<TColSpan> cols;
  for (int col = FLeftCol, x = 0; col <= Cols() && x < right; ++col) {
    const int width = FCols[col - 1]->Width();
    if (width > 0 && x + width > left) cols.push_back({col, x, x + width});
    x += width;
  }
  return cols;
}

void TtsGrid::PaintHeading(HDC dc, int dataCol, const RECT& cell) {
  const TtsCol& col = *FCols[dataCol - 1];
  const bool button = IsButton(dataCol);
  const int pressed = button && dataCol == FPressedCol && FPressedOver ? 1 : 0;
  FillRect(dc, &cell, GetSysColorBrush(COLOR_BTNFACE));
  RECT edge = cell;
  if (button)
    DrawEdge(dc, &edge, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  else
    PaintGridLines(dc, cell);
  RECT text{cell.left + 3 + pressed, cell.top + pressed, cell.right - 2, cell.bottom - 1 + pressed};
  const int pictureLeft = cell.right - 3 - SortPictureWidth;
  if (col.SortPicture() != spNone && pictureLeft > cell.left) {
    DrawSortPicture(dc, pictureLeft + pressed,
                    cell.top + (HeadingHeight - SortPictureHeight) / 2 + pressed,
                    col.SortPicture());
    text.right = pictureLeft - 1;
  }
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  DrawCellText(dc, col.Heading(), text, DT_LEFT);
}

void TtsGrid::PaintCell(HDC dc, int dataCol, int dataRow, const RECT& cell) {
  const bool selected = dataRow == FCurrentRow;
  RECT inner{cell.left, cell.top, cell.right - 1, cell.bottom - 1};
  if (selected) FillRect(dc, &inner, GetSysColorBrush(COLOR_HIGHLIGHT));
  PaintGridLines(dc, cell);
  const std::string value = CellText(dataCol, dataRow);
  if (value.empty()) return;
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const TAlignment alignment = FCols[dataCol - 1]->Alignment();
  DrawCellText(dc, value, TextBounds(inner, alignment), AlignmentFlags(alignment));
}

void TtsGrid::PaintGridLines(HDC dc, const RECT& cell) {
  const RECT right{cell.right - 1, cell.top, cell.right, cell.bottom};
  const RECT bottom{cell.left, cell.bottom - 1, cell.right, cell.bottom};
  FillRect(dc, &right, FLineBrush.Get());
  FillRect(dc, &bottom, FLineBrush.Get());
}

void TtsGrid::PaintFocus(HDC dc) {
  if (GetFocus() != Handle() || FCurrentRow < FTopRow) return;
  const RECT row{ColLeft(FLeftCol), RowTop(FCurrentRow), ColsRight() - 1,
                 RowTop(FCurrentRow) + FRowHeight - 1};
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  DrawFocusRect(dc, &row);
}

void TtsGrid::KeyDown(WPARAM key) {
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  switch (key) {
  case VK_UP: MoveTo(ctrl ? FTopRow : FCurrentRow - 1); break;
  case VK_DOWN: MoveTo(ctrl ? FTopRow + PageRows() - 1 : FCurrentRow + 1); break;
  case VK_PRIOR: ScrollTo(FTopRow - PageRows(), FLeftCol), MoveTo(FCurrentRow - PageRows()); break;
  case VK_NEXT: ScrollTo(FTopRow + PageRows(), FLeftCol), MoveTo(FCurrentRow + PageRows()); break;
  case VK_HOME:
    if (ctrl) MoveTo(1);
    break;
  case VK_END:
    if (ctrl) MoveTo(FRows);
    break;
  case VK_LEFT: ScrollTo(FTopRow, FLeftCol - 1); break;
  case VK_RIGHT: ScrollTo(FTopRow, FLeftCol + 1); break;
  }
}

void TtsGrid::VerticalScroll(WORD code) {
  ScrollTo(ScrollTarget(Handle(), SB_VERT, code, FTopRow, PageRows(), MaxTopRow(), FThumbTracking),
           FLeftCol);
}

void TtsGrid::HorizontalScroll(WORD code) {
  ScrollTo(FTopRow,
           ScrollTarget(Handle(), SB_HORZ, code, FLeftCol, 1, MaxLeftCol(), FThumbTracking));
}

void TtsGrid::MouseWheel(short delta) {
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  if (lines == WHEEL_PAGESCROLL) lines = PageRows();
  FWheelDelta += delta;
  const int notches = FWheelDelta / WHEEL_DELTA;
  FWheelDelta -= notches * WHEEL_DELTA;
  ScrollTo(FTopRow - notches * static_cast<int>(lines), FLeftCol);
}

void TtsGrid::MouseDown(int x, int y) {
  SetFocus(Handle());
  const int col = ColAt(x);
  if (!col) return;
  if (y >= HeadingHeight) {
    if (const int row = DataRowAt(y)) MoveTo(row);
    return;
  }
  FPressedCol = col;
  FPressedOver = true;
  SetCapture(Handle());
  InvalidateHeading(col);
}

void TtsGrid::MouseMove(int x, int y) {
  if (!FPressedCol) return;
  const bool over = y >= 0 && y < HeadingHeight && ColAt(x) == FPressedCol;
  if (over == FPressedOver) return;
  FPressedOver = over;
  InvalidateHeading(FPressedCol);
}

// The heading is drawn released before its click is raised, which may take a while.
void TtsGrid::MouseUp(int x, int y) {
  if (!FPressedCol) return;
  MouseMove(x, y);
  const int col = FPressedCol;
  const bool click = FPressedOver;
  ReleaseCapture();
  CaptureLost();
  if (!click) return;
  UpdateWindow(Handle());
  if (OnHeadingClick) OnHeadingClick(col);
}

void TtsGrid::CaptureLost() {
  if (!FPressedCol) return;
  InvalidateHeading(FPressedCol);
  FPressedCol = 0;
  FPressedOver = false;
}

void TtsGrid::Resized() {
  FTopRow = std::clamp(FTopRow, 1, MaxTopRow());
  FLeftCol = std::clamp(FLeftCol, 1, MaxLeftCol());
  UpdateScrollBars();
  InvalidateRect(Handle(), nullptr, FALSE);
}
