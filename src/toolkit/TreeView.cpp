#include "toolkit/TreeView.h"

#include "base/SysUtils.h"
#include "toolkit/Application.h"

#include <vector>

TTreeView::TTreeView(HWND parent, const TBounds& bounds) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  // The control's own tooltips (for cut-off labels) would compete with the hint.
  CreateControl(WC_TREEVIEWA,
                WS_TABSTOP | WS_CLIPSIBLINGS | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                    TVS_EDITLABELS | TVS_NOTOOLTIPS,
                WS_EX_CLIENTEDGE, parent, bounds, "");
  SetWindowSubclass(Handle(), SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

TTreeView::~TTreeView() {
  FHintWindow.reset();
  RemoveWindowSubclass(Handle(), SubclassProc, 1);
}

void TTreeView::SetImages(HIMAGELIST images) {
  TreeView_SetImageList(Handle(), images, TVSIL_NORMAL);
}

void TTreeView::SetStyleBit(DWORD bit, bool on) {
  const LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
  SetWindowLongPtrA(Handle(), GWL_STYLE, on ? style | bit : style & ~LONG_PTR(bit));
}

void TTreeView::SetHideSelection(bool hide) {
  SetStyleBit(TVS_SHOWSELALWAYS, !hide);
}

void TTreeView::SetReadOnly(bool readOnly) {
  SetStyleBit(TVS_EDITLABELS, !readOnly);
}

void TTreeView::SetShowHint(bool show) {
  if (show && !FHintWindow) {
    FHintWindow = std::make_unique<TControlHint>(Handle());
    FHintWindow->SetText(FHint);
  } else if (!show) {
    FHintWindow.reset();
  }
}

void TTreeView::SetHint(const std::string& hint) {
  FHint = hint;
  if (FHintWindow) FHintWindow->SetText(hint);
}

HTREEITEM TTreeView::AddChild(HTREEITEM parent, const std::string& text, HTREEITEM after) {
  TVINSERTSTRUCTA insert{};
  insert.hParent = parent ? parent : TVI_ROOT;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_CHILDREN;
  insert.item.pszText = const_cast<char*>(text.c_str());
  HTREEITEM item = reinterpret_cast<HTREEITEM>(
      SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  if (!item) throw Exception(Format("TreeView insert %s", text.c_str()));
  if (parent) SetChildrenMark(parent, true);
  return item;
}

// The expand button follows this mark, kept in step with the children by hand so that it
// does not depend on how a version of the control would guess it.
void TTreeView::SetChildrenMark(HTREEITEM item, bool hasChildren) {
  TVITEMA tv{};
  tv.mask = TVIF_CHILDREN;
  tv.hItem = item;
  tv.cChildren = hasChildren ? 1 : 0;
  SendMessageA(Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

void TTreeView::SetImageIndexes(HTREEITEM item, int imageIndex, int selectedIndex) {
  TVITEMA tv{};
  tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  tv.hItem = item;
  // -1 means "ask the owner" to the control (I_IMAGECALLBACK); the wrapper's -1 means none.
  tv.iImage = imageIndex < 0 ? I_IMAGENONE : imageIndex;
  tv.iSelectedImage = selectedIndex < 0 ? I_IMAGENONE : selectedIndex;
  SendMessageA(Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

void TTreeView::SetData(HTREEITEM item, void* data) {
  TVITEMA tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  tv.lParam = reinterpret_cast<LPARAM>(data);
  SendMessageA(Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

void* TTreeView::Data(HTREEITEM item) const {
  TVITEMA tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return reinterpret_cast<void*>(tv.lParam);
}

std::string TTreeView::Text(HTREEITEM item) const {
  char text[MAX_PATH + 1] = {};
  TVITEMA tv{};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = text;
  tv.cchTextMax = sizeof text;
  SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return tv.pszText ? tv.pszText : "";
}

HTREEITEM TTreeView::FirstChild(HTREEITEM item) const {
  return item ? TreeView_GetChild(Handle(), item) : TreeView_GetRoot(Handle());
}

void TTreeView::DeleteItem(HTREEITEM item) {
  const HTREEITEM parent = Parent(item);
  TreeView_DeleteItem(Handle(), item);
  if (parent && !FirstChild(parent)) SetChildrenMark(parent, false);
}

void TTreeView::DeleteChildren(HTREEITEM item) {
  while (HTREEITEM child = TreeView_GetChild(Handle(), item))
    TreeView_DeleteItem(Handle(), child);
  TreeView_Expand(Handle(), item, TVE_COLLAPSE);
  SetChildrenMark(item, false);
}

namespace {
struct TSortKey {
  std::string Text;
  LPARAM Data;
};

int CALLBACK CompareTexts(LPARAM a, LPARAM b, LPARAM keys) {
  const auto& k = *reinterpret_cast<std::vector<TSortKey>*>(keys);
  return lstrcmpA(k[a].Text.c_str(), k[b].Text.c_str());
}
} // namespace

void TTreeView::SortChildren(HTREEITEM item) {
  // The sort callback sees only the items' data: each child's data is lent to its index in
  // the key table for the time of the sort, then given back.
  std::vector<TSortKey> keys;
  for (HTREEITEM c = FirstChild(item); c; c = NextSibling(c)) {
    keys.push_back({Text(c), reinterpret_cast<LPARAM>(Data(c))});
    SetData(c, reinterpret_cast<void*>(keys.size() - 1));
  }
  TVSORTCB sort{item, CompareTexts, reinterpret_cast<LPARAM>(&keys)};
  TreeView_SortChildrenCB(Handle(), &sort, FALSE);
  for (HTREEITEM c = FirstChild(item); c; c = NextSibling(c))
    SetData(c, reinterpret_cast<void*>(keys[reinterpret_cast<size_t>(Data(c))].Data));
}

HTREEITEM TTreeView::ItemAt(int x, int y) const {
  TVHITTESTINFO hit{};
  hit.pt = {x, y};
  return TreeView_HitTest(Handle(), &hit);
}

LRESULT TTreeView::Notify(NMHDR* header) {
  if (header->code == TVN_KEYDOWN && OnKeyDown)
    OnKeyDown(reinterpret_cast<NMTVKEYDOWN*>(header)->wVKey);
  if (header->code != TVN_ITEMEXPANDINGA && header->code != TVN_ITEMEXPANDINGW) return 0;
  auto* tree = reinterpret_cast<NMTREEVIEWA*>(header);
  if (!(tree->action & TVE_EXPAND) || !OnExpanding) return 0;
  bool allow = true;
  OnExpanding(tree->itemNew.hItem, allow);
  return allow ? FALSE : TRUE;
}

LRESULT CALLBACK TTreeView::SubclassProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self) noexcept {
  auto* tree = reinterpret_cast<TTreeView*>(self);
  if (message == WM_MOUSEMOVE && tree->OnMouseMove)
    Application().Guarded([&] {
      tree->OnMouseMove(wParam, static_cast<short>(LOWORD(lParam)),
                        static_cast<short>(HIWORD(lParam)));
    });
  // Wine's tree view keeps Alt+F4 from the default handling that closes the window.
  if (message == WM_SYSKEYDOWN && wParam == VK_F4)
    return DefWindowProcA(handle, message, wParam, lParam);
  return DefSubclassProc(handle, message, wParam, lParam);
}
