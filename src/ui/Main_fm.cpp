#include "ui/Main_fm.h"

namespace {
constexpr int ClientWidth = 824;
constexpr int ClientHeight = 514;
// A dialog border: title bar with only the close button, no resizing.
constexpr DWORD FormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME;
constexpr DWORD FormExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;
} // namespace

TfmMain::TfmMain() {
  RECT frame{0, 0, ClientWidth, ClientHeight};
  AdjustWindowRectEx(&frame, FormStyle, FALSE, FormExStyle);
  TCreateParams params;
  params.ExStyle = FormExStyle;
  params.Style = FormStyle;
  params.Caption = "Scrivane";
  params.Width = frame.right - frame.left;
  params.Height = frame.bottom - frame.top;
  params.Left = (GetSystemMetrics(SM_CXSCREEN) - params.Width) / 2;
  params.Top = (GetSystemMetrics(SM_CYSCREEN) - params.Height) / 2;
  CreateHandle({"TfmMain", 0, GetSysColorBrush(COLOR_BTNFACE)}, params);
}

LRESULT TfmMain::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_DESTROY: PostQuitMessage(0); return 0;
  default: return TWindow::WndProc(message, wParam, lParam);
  }
}
