#pragma once
// An editable drop-down combo box: free text over a list of items. A Unicode window, so that a
// character pasted or typed that the code page lacks stays itself and the reader can refuse it.
#include "toolkit/StdControl.h"

class TComboBox : public TStdControl {
public:
  // bounds.Height is the height of the closed box; the list drops below it.
  TComboBox(HWND parent, const TBounds& bounds);
  int ItemCount() const;
  // Item k, counted from 0.
  std::string Item(int k) const;
  // Appends at the end; throws "Ne peut insérer une ligne" when the control refuses.
  void AddItem(const std::string& text);
};
