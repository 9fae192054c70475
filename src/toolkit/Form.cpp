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
  params.Width = frame.right - frame.left;
  params.Height = frame.bottom - frame.top;
  params.Left = (GetSystemMetrics(SM_CXSCREEN) - params.Width) / 2;
  params.Top = (GetSystemMetrics(SM_CYSCREEN) - params.Height) / 2;
  // The class is registered once, so the icon is the first form's: the program has one.
  CreateHandle({"TForm", 0, GetSysColorBrush(COLOR_BTNFACE), nullptr, icon}, params);
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == AlignMessage()) {
    LRESULT result;
    if (FAligned.HandleMessage(wParam, lParam, result)) AlignControls();
    return result;
  }
  if (message == WM_SIZE) AlignControls();
  return TWindow::WndProc(message, wParam, lParam);
}

void TForm::AlignControls() {
  RECT area;
  GetClientRect(Handle(), &area);
  FAligned.Realign(area);
}
