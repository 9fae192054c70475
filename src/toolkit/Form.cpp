#include "toolkit/Form.h"

namespace {
constexpr DWORD FormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME;
constexpr DWORD FormExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;
} // namespace

TForm::TForm(const std::string& caption, int clientWidth, int clientHeight, HICON icon) {
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, FormStyle, FALSE, FormExStyle);
  TCreateParams params;
  params.ExStyle = FormExStyle;
  params.Style = FormStyle;
  params.Caption = caption;
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  params.Bounds = {(GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                   (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height};
  // The class is registered once, so the icon is the first form's: the program has one.
  CreateHandle({"TForm", 0, GetSysColorBrush(COLOR_BTNFACE), nullptr, icon}, params);
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == AlignMessage()) {
    LRESULT result;
    if (FAligned.HandleMessage(wParam, lParam, result)) AlignControls();
    return result;
  }
  switch (message) {
  case WM_SIZE: AlignControls(); break;
  case WM_ACTIVATE: Activate(wParam); return 0;
  case WM_SETFOCUS: RestoreFocus(); return 0;
  default: break;
  }
  return TWindow::WndProc(message, wParam, lParam);
}

// The system would give the focus to the form itself, where no key does anything.
void TForm::Activate(WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    const HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus)) FFocusedControl = focus;
  } else if (!HIWORD(wParam)) { // not minimised
    RestoreFocus();
  }
}

void TForm::RestoreFocus() {
  HWND control = FFocusedControl;
  if (!IsWindow(control) || !IsChild(Handle(), control) || !IsWindowVisible(control) ||
      !IsWindowEnabled(control))
    control = GetNextDlgTabItem(Handle(), nullptr, FALSE);
  if (control) SetFocus(control);
}

void TForm::AlignControls() {
  RECT area;
  GetClientRect(Handle(), &area);
  FAligned.Realign(area);
}
