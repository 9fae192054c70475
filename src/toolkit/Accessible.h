#pragma once
// What a screen reader sees of a window class of our own. The standard controls speak for
// themselves; ours answer WM_GETOBJECT with an MSAA object that is built at the first request
// and reads the control's state at each call, so that nothing is kept up to date while no
// client listens.
#include <windows.h>

#include <ole2.h>
#include <oleacc.h>

#include <string>

// Our text (ANSI code page) as a client reads it; nullptr for the empty text.
BSTR AccessibleText(const std::string& text);
// A caption as a screen reader says it: without the "&" that marks its Alt letter.
std::string WithoutMnemonic(const std::string& caption);

// An object of one window and, where a derived class says so, its children: simple elements
// numbered from 1 (CHILDID_SELF, 0, is the object itself). Calls after Disconnect fail as
// those on an object whose window is gone.
class TAccessible : public IAccessible {
public:
  explicit TAccessible(HWND window) : FWindow(window) {}
  TAccessible(const TAccessible&) = delete;
  TAccessible& operator=(const TAccessible&) = delete;
  void Disconnect() { FWindow = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override;

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

protected:
  virtual ~TAccessible() = default;
  HWND Window() const { return FWindow; }

  // What a derived class says; child is CHILDID_SELF or 1 to ChildCount. Only Name may
  // throw (it may ask the owner for texts): the client then gets a failure.
  virtual long ChildCount() const { return 0; }
  virtual std::string Name(long child) const = 0;
  virtual long Role(long child) const = 0;
  virtual long State(long child) const;
  // Client coordinates.
  virtual RECT Bounds(long child) const;
  virtual long ChildAt(POINT client) const;
  // The child with the focus or the selection, CHILDID_SELF for the object; -1 for none.
  virtual long FocusedChild() const;
  virtual long SelectedChild() const { return -1; }

private:
  HRESULT Check(const VARIANT& child) const;
  LONG FReferences = 1;
  HWND FWindow;
};

// The object a window hands out: built at the first request, cut off from the window when
// the window goes (a client may keep it longer than the window lives).
class TAccessibleSlot {
public:
  TAccessibleSlot() = default;
  TAccessibleSlot(const TAccessibleSlot&) = delete;
  TAccessibleSlot& operator=(const TAccessibleSlot&) = delete;
  ~TAccessibleSlot() { Reset(); }

  // The answer to window's WM_GETOBJECT: for its client object, the object that make builds
  // (with one reference, which the slot keeps) the first time; the system's answer otherwise.
  template <class TMake> LRESULT Answer(HWND window, WPARAM wParam, LPARAM lParam, TMake make) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
      return DefWindowProcA(window, WM_GETOBJECT, wParam, lParam);
    if (!FObject) FObject = make();
    return Hand(wParam);
  }
  void Reset();

private:
  LRESULT Hand(WPARAM wParam);
  TAccessible* FObject = nullptr;
};

// A flat button or a picture that reports clicks, named by its window's caption.
class TButtonAccessible : public TAccessible {
public:
  using TAccessible::TAccessible;

protected:
  std::string Name(long child) const override;
  long Role(long child) const override;
};
