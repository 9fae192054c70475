#pragma once
// Base of every window class the program registers itself. The static window procedure binds
// the object at WM_NCCREATE, forwards to the virtual WndProc and unbinds at WM_NCDESTROY; it
// lets no exception unwind into user32.
#include "toolkit/Handles.h"

#include <windows.h>

#include <string>

struct TWindowClass {
  const char* Name;
  UINT Style = 0;
  HBRUSH Background = nullptr; // nullptr: the window paints its whole background itself
  HCURSOR Cursor = nullptr;    // nullptr: the arrow
  HICON Icon = nullptr;
};

// Place and size of a window: a child's in its parent's client area, a top-level one's on the
// screen.
struct TBounds {
  int Left, Top, Width, Height;
};

struct TCreateParams {
  DWORD ExStyle = 0;
  DWORD Style = WS_CHILD | WS_VISIBLE;
  std::string Caption{}; // {}: designated initializers may leave it out without a warning
  TBounds Bounds{};
  HWND Parent = nullptr;
  UINT Id = 0;
};

// What a parent forwards to the wrapper of a standard child control (by child handle).
class TNotifyTarget {
public:
  virtual ~TNotifyTarget();
  virtual void Command(WORD /*code*/) {}
  virtual LRESULT Notify(NMHDR* /*header*/) { return 0; }
  virtual void DrawItem(const DRAWITEMSTRUCT& /*item*/) {}
  // Binds the wrapper to its control's handle; unbinds at destruction.
  void BindNotify(HWND control);

private:
  HWND FNotifyHandle = nullptr;
};

class TWindow {
public:
  TWindow() = default;
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;
  virtual ~TWindow();

  HWND Handle() const { return FHandle; }

protected:
  // Registers the class the first time its name is seen, then creates the window bound to
  // this object. Throws Exception with the system's reason when either fails.
  void CreateHandle(const TWindowClass& windowClass, const TCreateParams& params);
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
  // For a derived class whose window's last messages still need its own members.
  void DestroyHandle();

private:
  static LRESULT CALLBACK StaticWndProc(HWND handle, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept;
  HWND FHandle = nullptr;
};

// Routes WM_COMMAND, WM_NOTIFY and WM_DRAWITEM from a standard child control to its bound wrapper;
// true when a wrapper took the message.
bool RouteToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
