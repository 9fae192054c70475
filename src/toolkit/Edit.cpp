#include "toolkit/Edit.h"

TEdit::TEdit(HWND parent, const TBounds& bounds) {
  // Wide, as the search's boxes: a character typed that the code page lacks reads as "?", as a
  // name shows it, never as a look-alike.
  CreateControl("EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, parent, bounds, "", 0,
                ctWide);
}

void TEdit::Command(WORD code) {
  if (code == EN_CHANGE && OnChange) OnChange();
}
