#include "toolkit/CheckBox.h"

TCheckBox::TCheckBox(HWND parent, const TBounds& bounds, const std::string& caption) {
  CreateControl("BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0, parent, bounds, caption);
  RegisterMnemonic(Handle());
}

bool TCheckBox::Checked() const {
  return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
  SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::Accelerate() {
  SetFocus();
  SetChecked(!Checked());
}
