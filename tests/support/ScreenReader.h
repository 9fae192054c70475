#pragma once
// A client that reads windows as a screen reader does: through oleacc by the window's handle,
// and by listening to the focus and selection events that the windows raise.
#include "support/MessagePump.h"

#include <windows.h>

#include <ole2.h>
#include <oleacc.h>

#include <string>
#include <vector>

struct TWinEvent {
  DWORD Event;
  HWND Window;
  LONG Object, Child;
  bool operator==(const TWinEvent&) const = default;
};

// The client object of one window, released with it.
class TAccessibleClient {
public:
  explicit TAccessibleClient(HWND window) {
    FResult = AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&FObject));
  }
  TAccessibleClient(const TAccessibleClient&) = delete;
  TAccessibleClient& operator=(const TAccessibleClient&) = delete;
  ~TAccessibleClient() {
    if (FObject) FObject->Release();
  }

  HRESULT Result() const { return FResult; }
  IAccessible* operator->() const { return FObject; }

  static VARIANT Child(long child) {
    VARIANT id;
    VariantInit(&id);
    id.vt = VT_I4;
    id.lVal = child;
    return id;
  }
  long ChildCount() const {
    LONG count = -1;
    FObject->get_accChildCount(&count);
    return count;
  }
  // In the program's code page, as the texts of the window are.
  std::string Name(long child) const {
    BSTR name = nullptr;
    if (FObject->get_accName(Child(child), &name) != S_OK) return "<none>";
    const int length = static_cast<int>(SysStringLen(name));
    std::string text(static_cast<size_t>(length) * 2, '\0');
    text.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, name, length, text.data(),
                                                        int(text.size()), nullptr, nullptr)));
    SysFreeString(name);
    return text;
  }
  long Role(long child) const { return Long(&IAccessible::get_accRole, child); }
  long State(long child) const { return Long(&IAccessible::get_accState, child); }
  // The child that a read of focus or selection gives, -1 for none.
  long Focus() const { return Reading(&IAccessible::get_accFocus); }
  long Selection() const { return Reading(&IAccessible::get_accSelection); }

private:
  long Long(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), long child) const {
    VARIANT value;
    VariantInit(&value);
    return (FObject->*get)(Child(child), &value) == S_OK && value.vt == VT_I4 ? value.lVal : -1;
  }
  long Reading(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT*)) const {
    VARIANT value;
    VariantInit(&value);
    return (FObject->*get)(&value) == S_OK && value.vt == VT_I4 ? value.lVal : -1;
  }
  IAccessible* FObject = nullptr;
  HRESULT FResult;
};

// COM for the test's thread, and the focus and selection events of this process from its
// creation on, delivered while the test pumps messages.
class TScreenReader {
public:
  TScreenReader() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Events().clear();
    FHook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, nullptr, Record,
                            GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  }
  TScreenReader(const TScreenReader&) = delete;
  TScreenReader& operator=(const TScreenReader&) = delete;
  ~TScreenReader() {
    UnhookWinEvent(FHook);
    CoUninitialize();
  }

  bool Listening() const { return FHook != nullptr; }
  static std::vector<TWinEvent>& Events() {
    static std::vector<TWinEvent> events;
    return events;
  }
  static bool Heard(const TWinEvent& event) {
    for (const TWinEvent& heard : Events())
      if (heard == event) return true;
    return false;
  }
  // Pumps until the event comes, within the usual bound.
  static bool Hears(const TWinEvent& event) {
    return PumpUntil([&] { return Heard(event); });
  }

private:
  static void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child,
                              DWORD, DWORD) {
    Events().push_back({event, window, object, child});
  }
  HWINEVENTHOOK FHook;
};
