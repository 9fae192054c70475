#pragma once
// The grid as a screen reader reads it: a list whose first child is the heading row and whose
// child r + 1 is data row r. A row's name is built when the client asks for it, from the same
// cell texts the grid pulls to paint, so that nothing is copied however long the list.
#include "toolkit/Accessible.h"

class TtsGrid;

class TGridAccessible : public TAccessible {
public:
  explicit TGridAccessible(TtsGrid& grid);
  static long ChildOfRow(int dataRow) { return dataRow + 1; }

protected:
  long ChildCount() const override;
  std::string Name(long child) const override;
  long Role(long child) const override;
  long State(long child) const override;
  RECT Bounds(long child) const override;
  long ChildAt(POINT client) const override;
  long FocusedChild() const override;
  long SelectedChild() const override;

private:
  static constexpr long HeadingChild = 1;
  static int RowOfChild(long child) { return static_cast<int>(child - 1); }
  std::string RowName(int dataRow) const;
  std::string HeadingsName() const;
  bool Focused() const;
  TtsGrid& FGrid;
};
