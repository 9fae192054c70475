#include "toolkit/Accessible.h"

#include "toolkit/Handles.h"

namespace {
HRESULT SetInteger(VARIANT* variant, long value) {
  variant->vt = VT_I4;
  variant->lVal = value;
  return S_OK;
}

void SetChild(VARIANT* variant, long child) {
  VariantInit(variant);
  if (child >= 0) SetInteger(variant, child); // else VT_EMPTY: none
}

// Reading "none" leaves the out value empty and says so with S_FALSE.
HRESULT NoText(BSTR* text) {
  *text = nullptr;
  return S_FALSE;
}

HRESULT TextResult(BSTR* out, const std::string& text) {
  if (text.empty()) return NoText(out);
  *out = AccessibleText(text);
  return *out ? S_OK : E_OUTOFMEMORY;
}
} // namespace

BSTR AccessibleText(const std::string& text) {
  if (text.empty()) return nullptr;
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(length));
  if (result) MultiByteToWideChar(CP_ACP, 0, text.data(), size, result, length);
  return result;
}

std::string WithoutMnemonic(const std::string& caption) {
  std::string text;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i; // "&&" leaves one "&"
    text += caption[i];
  }
  return text;
}

HRESULT TAccessible::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG TAccessible::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&FReferences));
}

ULONG TAccessible::Release() {
  const LONG left = InterlockedDecrement(&FReferences);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

// Clients call the IAccessible methods directly; nothing is offered through IDispatch.
HRESULT TAccessible::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}
HRESULT TAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) {
  return E_NOTIMPL;
}
HRESULT TAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}
HRESULT TAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

// Every call first checks that the window is still there and that the child is one of ours.
HRESULT TAccessible::Check(const VARIANT& child) const {
  if (!FWindow) return CO_E_OBJNOTCONNECTED;
  if (child.vt != VT_I4 || child.lVal < CHILDID_SELF || child.lVal > ChildCount())
    return E_INVALIDARG;
  return S_OK;
}

HRESULT TAccessible::get_accParent(IDispatch** parent) {
  *parent = nullptr;
  if (!FWindow) return CO_E_OBJNOTCONNECTED;
  return CreateStdAccessibleObject(FWindow, OBJID_WINDOW, __uuidof(IDispatch),
                                   reinterpret_cast<void**>(parent));
}

HRESULT TAccessible::get_accChildCount(LONG* count) {
  *count = 0;
  if (!FWindow) return CO_E_OBJNOTCONNECTED;
  *count = ChildCount();
  return S_OK;
}

// The children are simple elements: the parent answers for them.
HRESULT TAccessible::get_accChild(VARIANT child, IDispatch** object) {
  *object = nullptr;
  if (const HRESULT checked = Check(child); checked != S_OK) return checked;
  return child.lVal == CHILDID_SELF ? E_INVALIDARG : S_FALSE;
}

HRESULT TAccessible::get_accName(VARIANT child, BSTR* name) {
  *name = nullptr;
  if (const HRESULT checked = Check(child); checked != S_OK) return checked;
  try {
    return TextResult(name, Name(child.lVal));
  } catch (...) { // a cell handler's failure, or no memory: the client goes without
    return E_FAIL;
  }
}

HRESULT TAccessible::get_accValue(VARIANT child, BSTR* value) {
  *value = nullptr;
  if (const HRESULT checked = Check(child); checked != S_OK) return checked;
  return NoText(value);
}

HRESULT TAccessible::get_accDescription(VARIANT child, BSTR* description) {
  *description = nullptr;
  if (const HRESULT checked = Check(child); checked != S_OK) return checked;
  return NoText(description);
}

HRESULT TAccessible::get_accRole(VARIANT child, VARIANT* role) {
  VariantInit(role);
  if (const HRESULT checked = Check(child); checked != S_OK) return checked;
  return SetInteger(role, Role(child.lVal));
}

HRESULT TAccessible::get_accState(VARIANT child, VARIANT* state) {
  VariantInit(state);
  if (const HRESULT checked = Check(child); checked != S_OK) return checked;
  return SetInteger(state, State(child.lVal));
}

HRESULT TAccessible::get_accHelp(VARIANT child, BSTR* help) {
  *help = nullptr;
  if (const HRESULT checked = Check(child); checked != S_OK) return checked;
  return NoText(help);
}

HRESULT TAccessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
  *file = nullptr;
  *topic = 0;
  if (const HRESULT checked = Check(child); checked != S_OK) return checked;
  return S_FALSE;
}

HRESULT TAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  *shortcut = nullptr;
  if (const HRESULT checked = Check(child); checked != S_OK) return checked;
  return NoText(shortcut);
}

HRESULT TAccessible::get_accFocus(VARIANT* child) {
  VariantInit(child);
  if (!FWindow) return CO_E_OBJNOTCONNECTED;
  SetChild(child, FocusedChild());
  return child->vt == VT_EMPTY ? S_FALSE : S_OK;
}

HRESULT TAccessible::get_accSelection(VARIANT* children) {
  VariantInit(children);
  if (!FWindow) return CO_E_OBJNOTCONNECTED;
  SetChild(children, SelectedChild());
  return children->vt == VT_EMPTY ? S_FALSE : S_OK;
}

HRESULT TAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  *action = nullptr;
  if (const HRESULT checked = Check(child); checked != S_OK) return checked;
  return NoText(action);
}

// Selecting is the user's act, with the mouse or the keys; a client only reads.
HRESULT TAccessible::accSelect(LONG, VARIANT child) {
  if (const HRESULT checked = Check(child); checked != S_OK) return checked;
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT TAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
  *left = *top = *width = *height = 0;
  if (const HRESULT checked = Check(child); checked != S_OK) return checked;
  RECT bounds = Bounds(child.lVal);
  MapWindowPoints(FWindow, HWND_DESKTOP, reinterpret_cast<POINT*>(&bounds), 2);
  *left = bounds.left;
  *top = bounds.top;
  *width = bounds.right - bounds.left;
  *height = bounds.bottom - bounds.top;
  return S_OK;
}

// Only among the children: the window object next to the client object steps between windows.
HRESULT TAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
  VariantInit(end);
  if (const HRESULT checked = Check(start); checked != S_OK) return checked;
  const long count = ChildCount(), from = start.lVal;
  long to = -1;
  if (from == CHILDID_SELF) {
    if (direction == NAVDIR_FIRSTCHILD && count > 0) to = 1;
    if (direction == NAVDIR_LASTCHILD && count > 0) to = count;
  } else if ((direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) && from < count) {
    to = from + 1;
  } else if ((direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) && from > 1) {
    to = from - 1;
  }
  SetChild(end, to);
  return to < 0 ? S_FALSE : S_OK;
}

HRESULT TAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
  VariantInit(child);
  if (!FWindow) return CO_E_OBJNOTCONNECTED;
  POINT at{x, y};
  ScreenToClient(FWindow, &at);
  RECT client;
  GetClientRect(FWindow, &client);
  if (!PtInRect(&client, at)) return S_FALSE;
  SetChild(child, ChildAt(at));
  return S_OK;
}

HRESULT TAccessible::accDoDefaultAction(VARIANT child) {
  if (const HRESULT checked = Check(child); checked != S_OK) return checked;
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT TAccessible::put_accName(VARIANT, BSTR) {
  return E_NOTIMPL;
}
HRESULT TAccessible::put_accValue(VARIANT, BSTR) {
  return E_NOTIMPL;
}

long TAccessible::State(long /*child*/) const {
  long state = 0;
  if (!IsWindowVisible(FWindow)) state |= STATE_SYSTEM_INVISIBLE;
  if (!IsWindowEnabled(FWindow)) state |= STATE_SYSTEM_UNAVAILABLE;
  if (GetWindowLongA(FWindow, GWL_STYLE) & WS_TABSTOP) state |= STATE_SYSTEM_FOCUSABLE;
  if (GetFocus() == FWindow) state |= STATE_SYSTEM_FOCUSED;
  return state;
}

RECT TAccessible::Bounds(long /*child*/) const {
  RECT client;
  GetClientRect(FWindow, &client);
  return client;
}

long TAccessible::ChildAt(POINT /*client*/) const {
  return CHILDID_SELF;
}

long TAccessible::FocusedChild() const {
  return GetFocus() == FWindow ? CHILDID_SELF : -1;
}

void TAccessibleSlot::Reset() {
  if (!FObject) return;
  FObject->Disconnect();
  FObject->Release();
  FObject = nullptr;
}

// The system marshals the object to the client; COM must be ready on this thread for that,
// and a program that never meets a client never starts it.
LRESULT TAccessibleSlot::Hand(WPARAM wParam) {
  static thread_local const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  (void)com;
  return LresultFromObject(__uuidof(IAccessible), wParam, FObject);
}

std::string TButtonAccessible::Name(long /*child*/) const {
  return WithoutMnemonic(WindowCaption(Window()));
}

long TButtonAccessible::Role(long /*child*/) const {
  return ROLE_SYSTEM_PUSHBUTTON;
}
