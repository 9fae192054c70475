// The yardstick of the start-up benchmark: the least a Win32 program does to show a window of
// the main window's size, built with the same compiler and options.
#include <windows.h>

namespace {
LRESULT CALLBACK EmptyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = EmptyWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = "TEmptyWindow";
  RegisterClassA(&windowClass);
  const DWORD style = WS_CAPTION | WS_SYSMENU;
  RECT frame{0, 0, 824, 514};
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowExA(WS_EX_DLGMODALFRAME, "TEmptyWindow", "Vide", style, CW_USEDEFAULT,
                                CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                nullptr, nullptr, instance, nullptr);
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0)
    DispatchMessageA(&msg);
  return 0;
}
