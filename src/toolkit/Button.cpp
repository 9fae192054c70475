#include "toolkit/Button.h"

#include <commctrl.h>

namespace {
// The button asks the dialog keys for Enter and tells its parent it was clicked.
LRESULT CALLBACK EnterPresses(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                              DWORD_PTR) noexcept {
  const auto* key = reinterpret_cast<const MSG*>(lParam); // the key the dialog asks about
  if (message == WM_GETDLGCODE && key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN)
    return DefSubclassProc(button, message, wParam, lParam) | DLGC_WANTMESSAGE;
  const bool repeated = lParam & (1 << 30);
  if (message == WM_KEYDOWN && wParam == VK_RETURN && !repeated) {
    SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(button, EnterPresses, id);
  return DefSubclassProc(button, message, wParam, lParam);
}
} // namespace

void PressOnEnter(HWND button) {
  SetWindowSubclass(button, EnterPresses, 1, 0);
}

TButton::TButton(HWND parent, const TBounds& bounds, const std::string& caption,
                 const std::string& hint) {
  CreateControl("BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, parent, bounds, caption);
  RegisterMnemonic(Handle());
  PressOnEnter(Handle());
  FHint = std::make_unique<TControlHint>(Handle());
  FHint->SetText(hint);
}

void TButton::SetEnabled(bool enabled) {
  EnableWindow(Handle(), enabled);
}

void TButton::Command(WORD code) {
  if (code == BN_CLICKED && OnClick) OnClick();
}

void TButton::Accelerate() {
  if (OnClick) OnClick();
}
