#pragma once
// Edge alignment of child windows: top, bottom, left and right pieces are taken from the
// container's area first, in the order they were aligned, and the client-aligned child fills
// what is left. Any child window can be aligned, standard controls included: the child asks
// its parent by a registered message, which every aligning container (TPanel, a form)
// passes to its TAlignedChildren.
#include <windows.h>

#include <vector>

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Place of any child window, in its parent's client coordinates.
RECT BoundsOf(HWND child);

UINT AlignMessage();
// Records the child's alignment with its parent and lays the parent's children out again.
void SetAlign(HWND child, TAlign align);
TAlign AlignOf(HWND child);
// Asked when an aligned child changed size by itself (a panel folding), so that its
// neighbours follow.
void RequestParentRealign(HWND child);

class TAlignedChildren {
public:
  // Answers AlignMessage; true when the container should lay its children out again.
  bool HandleMessage(WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Lays the aligned children out inside area, in the container's client coordinates.
  void Realign(RECT area);

private:
  void Record(HWND child, TAlign align);
  TAlign Find(HWND child) const;
  struct TEntry {
    HWND Child;
    TAlign Align;
  };
  std::vector<TEntry> FEntries;
  bool FAligning = false;
};
