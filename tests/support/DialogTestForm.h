#pragma once
// A bare top-level window that hosts the controls under test, as the main window does:
// it routes its children's notifications and takes the dialog keys.
#include "toolkit/Application.h"
#include "toolkit/Window.h"

class TDialogTestForm : public TWindow {
public:
  TDialogTestForm() {
    TCreateParams params;
    params.ExStyle = WS_EX_CONTROLPARENT;
    params.Style = WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE;
    params.Caption = "Test";
    params.Bounds = {10, 10, 400, 300};
    CreateHandle({"TDialogTestForm", 0, GetSysColorBrush(COLOR_BTNFACE)}, params);
    Application().DialogWindow = Handle();
    SetForegroundWindow(Handle());
  }
  ~TDialogTestForm() override { Application().DialogWindow = nullptr; }
};
