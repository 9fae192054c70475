#include "toolkit/Window.h"

#include "base/SysUtils.h"
#include "toolkit/Application.h"

#include <map>
#include <set>

namespace {
std::map<HWND, TNotifyTarget*>& NotifyTargets() {
  static std::map<HWND, TNotifyTarget*> targets;
  return targets;
}
} // namespace

TNotifyTarget::~TNotifyTarget() {
  if (FNotifyHandle) NotifyTargets().erase(FNotifyHandle);
}

void TNotifyTarget::BindNotify(HWND control) {
  if (FNotifyHandle) NotifyTargets().erase(FNotifyHandle);
  FNotifyHandle = control;
  NotifyTargets()[control] = this;
}

bool RouteToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND child = nullptr;
  if (message == WM_COMMAND)
    child = reinterpret_cast<HWND>(lParam);
  else if (message == WM_NOTIFY)
    child = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
  else if (message == WM_DRAWITEM)
    child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
  if (!child) return false;
  auto found = NotifyTargets().find(child);
  if (found == NotifyTargets().end()) return false;
  if (message == WM_COMMAND) {
    found->second->Command(HIWORD(wParam));
    result = 0;
  } else if (message == WM_NOTIFY) {
    result = found->second->Notify(reinterpret_cast<NMHDR*>(lParam));
  } else {
    found->second->DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
  }
  return true;
}

TWindow::~TWindow() {
  DestroyHandle();
}

void TWindow::DestroyHandle() {
  if (FHandle) DestroyWindow(FHandle);
}

void TWindow::CreateHandle(const TWindowClass& windowClass, const TCreateParams& params) {
  static std::set<std::string> registered;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!registered.count(windowClass.Name)) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = windowClass.Style;
    wc.lpfnWndProc = StaticWndProc;
    wc.hInstance = instance;
    wc.hCursor = windowClass.Cursor ? windowClass.Cursor : LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = windowClass.Background;
    wc.hIcon = windowClass.Icon;
    wc.lpszClassName = windowClass.Name;
    if (!RegisterClassExA(&wc)) RaiseLastOSError(Format("RegisterClass %s", windowClass.Name));
    registered.insert(windowClass.Name);
  }
  const TBounds& b = params.Bounds;
  HWND handle = CreateWindowExA(params.ExStyle, windowClass.Name, params.Caption.c_str(),
                                params.Style, b.Left, b.Top, b.Width, b.Height, params.Parent,
                                reinterpret_cast<HMENU>(UINT_PTR(params.Id)), instance, this);
  if (!handle) RaiseLastOSError(Format("CreateWindow %s", windowClass.Name));
}

LRESULT TWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (RouteToChild(message, wParam, lParam, result)) return result;
  return DefaultProc(message, wParam, lParam);
}

LRESULT TWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(FHandle, message, wParam, lParam);
}

LRESULT CALLBACK TWindow::StaticWndProc(HWND handle, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->FHandle = handle;
    SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TWindow*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
  if (!self) return DefWindowProcA(handle, message, wParam, lParam);
  LRESULT result = 0;
  try {
    result = self->WndProc(message, wParam, lParam);
  } catch (...) {
    if (message == WM_PAINT) ValidateRect(handle, nullptr); // or the box would repaint forever
    Application().HandleException(std::current_exception());
    result = message == WM_CREATE ? -1 : 0;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(handle, GWLP_USERDATA, 0);
    self->FHandle = nullptr;
  }
  return result;
}
