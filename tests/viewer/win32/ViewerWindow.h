#pragma once
// A window holding the viewer as the main window will: the pane, the four tool buttons, the
// counter and the line label, with the content text as a plain field standing for the box.
#include "toolkit/Font.h"
#include "toolkit/SpeedButton.h"
#include "viewer/win32/Viewer.h"

// The top-level window with the font and the pictures that its controls use, all made before
// the controls.
class TViewerFrame : public TWindow {
protected:
  TViewerFrame();
  ~TViewerFrame() override;
  TFont FFont{"MS Sans Serif", -11};
  HBITMAP FGlyphs[4];
};

class TViewerWindow : public TViewerFrame {
public:
  TViewerWindow();
  ~TViewerWindow() override;

  std::string ContentText; // what the content box holds
  TLineBuffer LineBuffer;
  TRichEditPane mmLignesConcernees;
  TSpeedButton btPremOccur, btOccurPrec, btOccurSuiv, btDernOccur;
  TStaticText stnNbOccur, stLigCour;
  TViewer Viewer;
};
