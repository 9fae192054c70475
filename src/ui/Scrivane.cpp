// The program entry: create the window, show it, run the message loop.
#include "toolkit/Application.h"
#include "ui/Main_fm.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  int exitCode = 0;
  Application().Guarded([&] {
    TfmMain fmMain;
    Application().DialogWindow = fmMain.Handle();
    ShowWindow(fmMain.Handle(), showCommand);
    UpdateWindow(fmMain.Handle());
    exitCode = Application().Run();
  });
  return exitCode;
}
