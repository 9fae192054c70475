#include "toolkit/Align.h"

#include <algorithm>

namespace {
enum TAlignRequest { arRealign, arQuery, arSet };
} // namespace

RECT BoundsOf(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

UINT AlignMessage() {
  static const UINT message = RegisterWindowMessageA("Scrivane.Align");
  return message;
}

void SetAlign(HWND child, TAlign align) {
  SendMessageA(GetParent(child), AlignMessage(), MAKEWPARAM(arSet, align),
               reinterpret_cast<LPARAM>(child));
}

TAlign AlignOf(HWND child) {
  return static_cast<TAlign>(
      SendMessageA(GetParent(child), AlignMessage(), arQuery, reinterpret_cast<LPARAM>(child)));
}

void RequestParentRealign(HWND child) {
  if (HWND parent = GetParent(child)) SendMessageA(parent, AlignMessage(), arRealign, 0);
}

bool TAlignedChildren::HandleMessage(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND child = reinterpret_cast<HWND>(lParam);
  result = 0;
  switch (LOWORD(wParam)) {
  case arQuery: result = Find(child); return false;
  case arSet: Record(child, static_cast<TAlign>(HIWORD(wParam))); return true;
  default: return true;
  }
}

void TAlignedChildren::Record(HWND child, TAlign align) {
  auto found = std::find_if(FEntries.begin(), FEntries.end(),
                            [child](const TEntry& e) { return e.Child == child; });
  if (found != FEntries.end())
    found->Align = align;
  else
    FEntries.push_back({child, align});
}

TAlign TAlignedChildren::Find(HWND child) const {
  for (const TEntry& e : FEntries)
    if (e.Child == child) return e.Align;
  return alNone;
}

namespace {
SIZE SizeOf(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  return {r.right - r.left, r.bottom - r.top};
}

void Place(HWND child, int left, int top, int width, int height) {
  const RECT now = BoundsOf(child);
  if (now.left == left && now.top == top && now.right - now.left == width &&
      now.bottom - now.top == height)
    return;
  SetWindowPos(child, nullptr, left, top, std::max(width, 0), std::max(height, 0),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// Takes the child's piece from the given edge of area, keeping the child's own depth.
void TakeEdge(HWND child, TAlign align, RECT& area) {
  const SIZE size = SizeOf(child);
  const int width = area.right - area.left, height = area.bottom - area.top;
  switch (align) {
  case alTop:
    Place(child, area.left, area.top, width, size.cy);
    area.top += size.cy;
    break;
  case alBottom:
    Place(child, area.left, area.bottom - size.cy, width, size.cy);
    area.bottom -= size.cy;
    break;
  case alLeft:
    Place(child, area.left, area.top, size.cx, height);
    area.left += size.cx;
    break;
  case alRight:
    Place(child, area.right - size.cx, area.top, size.cx, height);
    area.right -= size.cx;
    break;
  default: break;
  }
}
} // namespace

void TAlignedChildren::Realign(RECT area) {
  // A child resized here asks for a realignment in turn; this pass already covers it.
  if (FAligning) return;
  FAligning = true;
  std::erase_if(FEntries, [](const TEntry& e) { return !IsWindow(e.Child); });
  for (TAlign group : {alTop, alBottom, alLeft, alRight})
    for (const TEntry& e : FEntries)
      if (e.Align == group) TakeEdge(e.Child, group, area);
  for (const TEntry& e : FEntries)
    if (e.Align == alClient)
      Place(e.Child, area.left, area.top, area.right - area.left, area.bottom - area.top);
  FAligning = false;
}
