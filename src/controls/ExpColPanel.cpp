#include "controls/ExpColPanel.h"

namespace {
constexpr int StripDepth = 10;
constexpr int FoldedSize = 11;
constexpr int ButtonSize = 9;

void Line(TCanvas& canvas, TColor color, int x0, int y0, int x1, int y1) {
  canvas.PenColor = color;
  canvas.MoveTo(x0, y0);
  canvas.LineTo(x1, y1);
}
} // namespace

TExpColPanel::TExpColPanel(HWND parent, const TBounds& bounds) : TPanel(parent, bounds) {
  // Laid along the edge once the panel is aligned to one.
  FEdgeBevel = std::make_unique<TBevel>(Handle(), TBounds{0, 0, 50, 50});
  FEdgeBevel->SetStyle(bsRaised);
  FArrowImage = std::make_unique<TImage>(Handle(), TBounds{0, 0, ButtonSize, ButtonSize});
  // Above the strip and above any content added later, as its sign must stay visible.
  SetWindowPos(FArrowImage->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  DrawButtonFrame();
  FArrowImage->OnClick = [this] { TogglePanel(); };
  F_ArrowsColor = clBlue;
  F_LargHautRef = 200;
  F_PanelState = psExpanded;
  NameArrow();
  SetBevelOuter(bvNone);
}

TExpColPanel::~TExpColPanel() {
  FArrowImage.reset();
  FEdgeBevel.reset();
}

void TExpColPanel::Set_ArrowsColor(TColor color) {
  if (color == F_ArrowsColor) return;
  F_ArrowsColor = color;
  DrawArrow();
}

void TExpColPanel::Set_LargHautRef(int size) {
  if (size == F_LargHautRef) return;
  F_LargHautRef = size;
  if (F_PanelState == psExpanded) SetFoldingSize(size);
}

void TExpColPanel::Set_PanelState(TPanelState state) {
  if (state != F_PanelState) TogglePanel();
}

void TExpColPanel::SetAlign(TAlign align) {
  TPanel::SetAlign(align);
  PanelResized();
}

LRESULT TExpColPanel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_SIZE: PanelResized(); return TPanel::WndProc(message, wParam, lParam);
  default: return TPanel::WndProc(message, wParam, lParam);
  }
}

bool TExpColPanel::FoldsVertically() {
  const TAlign align = Align();
  return align == alTop || align == alBottom;
}

void TExpColPanel::SetFoldingSize(int size) {
  if (FoldsVertically())
    SetHeight(size);
  else
    SetWidth(size);
}

void TExpColPanel::DrawButtonFrame() {
  TCanvas& canvas = FArrowImage->Canvas();
  canvas.BrushColor = clBtnFace;
  canvas.FillRect({0, 0, 8, 8});
  Line(canvas, clBtnHighlight, 0, 0, 9, 0);
  Line(canvas, clBtnHighlight, 0, 0, 0, 8);
  Line(canvas, clBtnShadow, 0, 8, 9, 8);
  Line(canvas, clBtnShadow, 8, 1, 8, 9);
}

// For a screen reader, the button says what a click does, as its arrow shows.
void TExpColPanel::NameArrow() {
  const char* name = F_PanelState == psExpanded ? "Replier" : "Déplier";
  if (WindowCaption(FArrowImage->Handle()) == name) return;
  SetWindowTextA(FArrowImage->Handle(), name);
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, FArrowImage->Handle(), OBJID_CLIENT, CHILDID_SELF);
}

void TExpColPanel::DrawArrow() {
  NameArrow();
  TCanvas& canvas = FArrowImage->Canvas();
  canvas.BrushColor = clBtnFace;
  canvas.FillRect({1, 1, 8, 8});
  Line(canvas, F_ArrowsColor, 4, 2, 4, 7);
  Line(canvas, F_ArrowsColor, 2, 4, 7, 4);
  const bool expanded = F_PanelState == psExpanded;
  auto up = [&] { Line(canvas, F_ArrowsColor, 3, 3, 6, 3); };
  auto down = [&] { Line(canvas, F_ArrowsColor, 3, 5, 6, 5); };
  auto left = [&] { Line(canvas, F_ArrowsColor, 3, 3, 3, 6); };
  auto right = [&] { Line(canvas, F_ArrowsColor, 5, 3, 5, 6); };
  switch (Align()) {
  case alTop: expanded ? up() : down(); break;
  case alBottom: expanded ? down() : up(); break;
  case alLeft: expanded ? left() : right(); break;
  case alRight: expanded ? right() : left(); break;
  default: break; // a bare cross: the panel folds towards no edge
  }
}

void TExpColPanel::PlaceArrow() {
  TImage& arrow = *FArrowImage;
  const bool expanded = F_PanelState == psExpanded;
  if (FoldsVertically())
    arrow.SetLeft(0);
  else
    arrow.SetTop(0);
  switch (Align()) {
  case alTop: arrow.SetTop(expanded ? Height() - 11 : 0); break;
  case alBottom: arrow.SetTop(expanded ? 2 : Height() - 9); break;
  case alLeft: arrow.SetLeft(expanded ? Width() - 11 : 0); break;
  case alRight: arrow.SetLeft(expanded ? 2 : Width() - 9); break;
  default: break;
  }
}

void TExpColPanel::PanelResized() {
  PlaceArrow();
  if (FoldsVertically())
    FEdgeBevel->SetHeight(StripDepth);
  else
    FEdgeBevel->SetWidth(StripDepth);
  // The strip lies along the outer edge, its line on the edge that faces the rest of the window.
  switch (Align()) {
  case alTop: PlaceStrip(alBottom, bsBottomLine); break;
  case alBottom: PlaceStrip(alTop, bsTopLine); break;
  case alLeft: PlaceStrip(alRight, bsRightLine); break;
  case alRight: PlaceStrip(alLeft, bsLeftLine); break;
  default: break;
  }
  DrawArrow();
}

void TExpColPanel::PlaceStrip(TAlign align, TBevelShape shape) {
  FEdgeBevel->SetShape(shape);
  FEdgeBevel->SetAlign(align); // lays the children out again, even when unchanged
}

void TExpColPanel::TogglePanel() {
  if (F_PanelState == psExpanded) {
    F_PanelState = psCollapsed;
    SetContentReachable(false);
    SetFoldingSize(FoldedSize);
    PlaceArrow();
    if (_OnCollapsed) _OnCollapsed(*this);
  } else {
    F_PanelState = psExpanded;
    SetContentReachable(true);
    SetFoldingSize(F_LargHautRef);
    PlaceArrow();
    if (_OnExpanded) _OnExpanded(*this);
  }
  DrawArrow();
}

// Folded away, the panel's other children are cut off from sight; disabled, they are cut off
// from the keys as well: no Alt letter, no Tab. The focus, if it was among them, goes on to the
// next control that shows.
void TExpColPanel::SetContentReachable(bool reachable) {
  if (reachable) {
    for (HWND child : FDisabledContent)
      if (IsWindow(child)) EnableWindow(child, TRUE);
    FDisabledContent.clear();
    return;
  }
  const HWND focus = GetFocus();
  const bool focusInside = focus && IsChild(Handle(), focus);
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (child == FEdgeBevel->Handle() || child == FArrowImage->Handle() || !IsWindowEnabled(child))
      continue;
    EnableWindow(child, FALSE);
    FDisabledContent.push_back(child);
  }
  if (!focusInside) return;
  const HWND root = GetAncestor(Handle(), GA_ROOT);
  const HWND next = GetNextDlgTabItem(root, Handle(), FALSE);
  ::SetFocus(next && !IsChild(Handle(), next) ? next : root);
}
