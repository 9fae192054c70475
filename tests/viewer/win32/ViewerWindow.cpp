#include "ViewerWindow.h"

#include <vector>

namespace {
constexpr int PaneHeight = 173;

// 16 x 16 on light grey: a dark red triangle pointing left or right, with a blue bar on the
// side it points to when bar is set. Pixels are 0xRRGGBB, as a 32-bit bitmap holds them.
HBITMAP ArrowGlyph(bool left, bool bar) {
  std::vector<uint32_t> pixels(16 * 16, 0xC0C0C0);
  for (int y = 3; y < 13; ++y) {
    const int depth = 5 - std::abs(y * 2 - 15) / 2;
    for (int d = 0; d < depth; ++d)
      pixels[y * 16 + (left ? 10 - d : 5 + d)] = 0x800000;
    if (bar) pixels[y * 16 + (left ? 4 : 11)] = 0x0000FF;
  }
  return CreateBitmap(16, 16, 1, 32, pixels.data());
}
} // namespace

TViewerFrame::TViewerFrame()
    : FGlyphs{ArrowGlyph(true, true), ArrowGlyph(true, false), ArrowGlyph(false, false),
              ArrowGlyph(false, true)} {
  RECT frame{0, 0, 824, PaneHeight + 41};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  TCreateParams params;
  params.Style = style;
  params.Caption = "Scrivane";
  params.Bounds = {0, 0, frame.right - frame.left, frame.bottom - frame.top};
  CreateHandle({"TViewerWindow", 0, GetSysColorBrush(COLOR_BTNFACE)}, params);
}

TViewerFrame::~TViewerFrame() {
  DestroyHandle(); // before the pictures that its buttons show
  for (HBITMAP glyph : FGlyphs)
    DeleteObject(glyph);
}

TViewerWindow::TViewerWindow()
    : mmLignesConcernees(Handle(), {0, 0, 824, PaneHeight}, 1),
      btPremOccur(Handle(), {8, PaneHeight + 8, 25, 25}, FGlyphs[0]),
      btOccurPrec(Handle(), {32, PaneHeight + 8, 25, 25}, FGlyphs[1]),
      btOccurSuiv(Handle(), {56, PaneHeight + 8, 25, 25}, FGlyphs[2]),
      btDernOccur(Handle(), {80, PaneHeight + 8, 25, 25}, FGlyphs[3]),
      stnNbOccur(Handle(), {120, PaneHeight + 12, 81, 17}, "occurence 0 / 0", FFont.Handle(), true),
      stLigCour(Handle(), {224, PaneHeight + 12, 65, 17}, "", FFont.Handle(), false),
      Viewer(mmLignesConcernees, stnNbOccur, stLigCour, LineBuffer,
             [this] { return ContentText; }) {
  TSpeedButton* buttons[] = {&btPremOccur, &btOccurPrec, &btOccurSuiv, &btDernOccur};
  const TNavigStep steps[] = {nsFirst, nsPrevious, nsNext, nsLast};
  for (int k = 0; k < 4; ++k)
    buttons[k]->OnClick = [this, step = steps[k]] { Viewer.Step(step); };
  mmLignesConcernees.OnSelectionChange = [this] { Viewer.SelectionMoved(); };
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
}

// The window goes while the controls that its last messages reach still exist.
TViewerWindow::~TViewerWindow() {
  DestroyHandle();
}
