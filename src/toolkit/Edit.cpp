#include "toolkit/Edit.h"

TEdit::TEdit(HWND parent, const TBounds& bounds) {
  CreateControl("EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, parent, bounds, "");
}

void TEdit::Command(WORD code) {
  if (code == EN_CHANGE && OnChange) OnChange();
}
