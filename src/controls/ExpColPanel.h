#pragma once
// A panel aligned to an edge of its parent that folds to an 11-pixel strip, and unfolds to
// its reference size, with one click on its 9 x 9 arrow button.
#include "toolkit/Bevel.h"
#include "toolkit/Graphics.h"
#include "toolkit/Image.h"
#include "toolkit/Panel.h"

#include <functional>
#include <memory>
#include <vector>

enum TPanelState { psExpanded, psCollapsed };

class TExpColPanel : public TPanel {
public:
  TExpColPanel(HWND parent, const TBounds& bounds);
  ~TExpColPanel() override;

  TColor _ArrowsColor() const { return F_ArrowsColor; }
  void Set_ArrowsColor(TColor color);
  int _LargHautRef() const { return F_LargHautRef; }
  void Set_LargHautRef(int size);
  TPanelState _PanelState() const { return F_PanelState; }
  void Set_PanelState(TPanelState state);
  std::function<void(TExpColPanel& sender)> _OnCollapsed;
  std::function<void(TExpColPanel& sender)> _OnExpanded;

  // The strip and the arrow follow the new edge at once, whether or not the size changes.
  void SetAlign(TAlign align) override;

  TBevel& EdgeBevel() { return *FEdgeBevel; }
  TImage& ArrowImage() { return *FArrowImage; }

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  bool FoldsVertically();
  void SetFoldingSize(int size);
  void DrawButtonFrame();
  void NameArrow();
  void DrawArrow();
  void PlaceArrow();
  void PanelResized();
  void PlaceStrip(TAlign align, TBevelShape shape);
  void TogglePanel();
  void SetContentReachable(bool reachable);
  TColor F_ArrowsColor;
  int F_LargHautRef;
  TPanelState F_PanelState;
  std::unique_ptr<TBevel> FEdgeBevel;
  std::unique_ptr<TImage> FArrowImage;
  std::vector<HWND> FDisabledContent; // what folding disabled, and unfolding enables again
};
