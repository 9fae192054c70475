// A window to look at: the folder tree opened down to a fresh temporary folder, a nested pair
// of collapsible panels with the inner one folded, and the tree's seven pictures in a row.
#include "controls/ExpColPanel.h"
#include "controls/FolderTreeView.h"
#include "support/TempFolder.h"
#include "support/TestForm.h"

namespace {
class TShowcase : public TTestForm {
public:
  TShowcase() : TTestForm(660, 400) {
    SetWindowTextA(Handle(), "Showcase");
    for (const char* name : {"Archives", "Documents", "Documents\\Lettres", "Images", ".git"})
      FTemp.Folder(name);
    FTemp.Folder("Cach\xE9", FILE_ATTRIBUTE_HIDDEN);
    FTree.Populate();
    FTree.SelectPath(FTemp.Path());
    TreeView_Expand(FTree.Handle(), FTree.Selected(), TVE_EXPAND);
    FOuter.SetAlign(alTop);
    FOuter.Set_LargHautRef(220);
    FContent.SetAlign(alClient);
    FInner.SetAlign(alTop);
    FInner.Set_LargHautRef(100);
    FBelow.SetAlign(alClient);
    FInner.Set_PanelState(psCollapsed);
  }

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_PAINT) return PaintPictures(), 0;
    if (message == WM_DESTROY) PostQuitMessage(0);
    return TTestForm::WndProc(message, wParam, lParam);
  }

private:
  void PaintPictures() {
    PAINTSTRUCT ps;
    BeginPaint(Handle(), &ps);
    for (int i = 0; i < FTree.FolderImages().Count(); ++i)
      ImageList_Draw(FTree.FolderImages().Handle(), i, ps.hdc, 330 + 24 * i, 360, ILD_NORMAL);
    EndPaint(Handle(), &ps);
  }
  TTempFolder FTemp;
  TFolderTreeView FTree{Handle(), {10, 10, 310, 380}};
  TPanel FRight{Handle(), {330, 10, 320, 330}};
  TExpColPanel FOuter{FRight.Handle(), {0, 0, 320, 220}};
  TPanel FContent{FOuter.Handle(), {0, 0, 320, 209}};
  TExpColPanel FInner{FContent.Handle(), {0, 0, 320, 100}};
  TPanel FBelow{FContent.Handle(), {0, 100, 320, 109}};
};
} // namespace

int main() {
  TShowcase showcase;
  return Application().Run();
}
