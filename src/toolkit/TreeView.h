#pragma once
// Wrapper of the standard tree-view control: items with a text, two picture indexes and a
// data pointer; the expanding notification and mouse moves as events; a hint of its own.
#include "toolkit/Hint.h"
#include "toolkit/StdControl.h"

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

class TTreeView : public TStdControl {
public:
  TTreeView(HWND parent, const TBounds& bounds);
  ~TTreeView() override;

  void SetImages(HIMAGELIST images);
  void SetHideSelection(bool hide);
  void SetReadOnly(bool readOnly);
  void SetShowHint(bool show);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& hint);

  // Adds a child to parent's children (nullptr: to the top level), after the item after, or
  // at the end.
  HTREEITEM AddChild(HTREEITEM parent, const std::string& text, HTREEITEM after = TVI_LAST);
  // Deletes item and its children; a parent left without children loses its expand button.
  void DeleteItem(HTREEITEM item);
  // An index of -1 shows no picture.
  void SetImageIndexes(HTREEITEM item, int imageIndex, int selectedIndex);
  void SetData(HTREEITEM item, void* data);
  void* Data(HTREEITEM item) const;
  std::string Text(HTREEITEM item) const;
  HTREEITEM Parent(HTREEITEM item) const { return TreeView_GetParent(Handle(), item); }
  bool IsTopLevel(HTREEITEM item) const { return !Parent(item); }
  // The first child of item (nullptr: the first top-level item), then each next sibling.
  HTREEITEM FirstChild(HTREEITEM item) const;
  HTREEITEM NextSibling(HTREEITEM item) const { return TreeView_GetNextSibling(Handle(), item); }
  // Deletes item's children, collapses it and takes its expand button away.
  void DeleteChildren(HTREEITEM item);
  // Orders item's direct children by their texts, by lstrcmpA.
  void SortChildren(HTREEITEM item);
  HTREEITEM Selected() const { return TreeView_GetSelection(Handle()); }
  // Selects item, expanding its collapsed ancestors to reveal it.
  void Select(HTREEITEM item) { TreeView_SelectItem(Handle(), item); }
  void MakeVisible(HTREEITEM item) { TreeView_EnsureVisible(Handle(), item); }
  // The item whose row lies under the point (client coordinates), or nullptr.
  HTREEITEM ItemAt(int x, int y) const;

  std::function<void(HTREEITEM item, bool& allowExpansion)> OnExpanding;
  std::function<void(WPARAM keys, int x, int y)> OnMouseMove;
  // A key pressed while the tree has the focus, before the tree acts on it.
  std::function<void(WORD key)> OnKeyDown;

  LRESULT Notify(NMHDR* header) override;

private:
  static LRESULT CALLBACK SubclassProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self) noexcept;
  void SetStyleBit(DWORD bit, bool on);
  void SetChildrenMark(HTREEITEM item, bool hasChildren);
  std::string FHint;
  std::unique_ptr<TControlHint> FHintWindow;
};
