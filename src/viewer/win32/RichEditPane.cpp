#include "viewer/win32/RichEditPane.h"

#include "base/SysUtils.h"
#include "toolkit/Align.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <exception>

namespace {
// The selection marks the current occurrence, which must show while the user walks the list
// or types in the go-to box: the selection stays visible without the focus.
constexpr DWORD PaneStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE |
                            ES_AUTOVSCROLL | ES_READONLY | ES_NOHIDESEL;
// Windows caps a stream at 32,767 characters unless the limit is raised.
constexpr LPARAM TextLimit = 0x7FFFFFFE;

void LoadRichEditLibrary() {
  static const HMODULE library = LoadLibraryA("RICHED32.DLL");
  if (!library) RaiseLastOSError("RICHED32.DLL");
}

struct TStreamSource {
  const std::string& Text;
  const std::function<bool()>& StopRequested;
  size_t Position = 0;
  bool Stopped = false;
  std::exception_ptr Error; // raised again once the control has returned
};

// Asked for each piece of the text; a non-zero answer ends the load there.
DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) noexcept {
  auto& source = *reinterpret_cast<TStreamSource*>(cookie);
  *done = 0;
  try {
    source.Stopped = source.StopRequested && source.StopRequested();
  } catch (...) {
    source.Error = std::current_exception();
  }
  if (source.Stopped || source.Error) return 1;
  const size_t n = std::min(size_t(count), source.Text.size() - source.Position);
  std::memcpy(buffer, source.Text.data() + source.Position, n);
  source.Position += n;
  *done = static_cast<LONG>(n);
  return 0;
}

// The pane is read only, so Tab and Shift+Tab are better spent leaving it, as in any dialog:
// the control asks for every key, Tab included. Tabbing in keeps the selection, the current
// occurrence, where the dialog keys would select the whole text.
LRESULT CALLBACK DialogKeys(HWND pane, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) noexcept {
  LRESULT result = DefSubclassProc(pane, message, wParam, lParam);
  if (message != WM_GETDLGCODE) return result;
  result &= ~DLGC_HASSETSEL;
  const auto* key = reinterpret_cast<const MSG*>(lParam); // the key the dialog asks about
  if (key && key->message == WM_KEYDOWN && key->wParam == VK_TAB)
    result &= ~(DLGC_WANTTAB | DLGC_WANTMESSAGE);
  return result;
}

// Holds the pane's drawing off for its lifetime, on every way out.
class TDrawingHold {
public:
  explicit TDrawingHold(HWND pane) : FPane(pane) { SendMessageA(pane, WM_SETREDRAW, FALSE, 0); }
  ~TDrawingHold() {
    SendMessageA(FPane, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(FPane, nullptr, TRUE);
  }
  TDrawingHold(const TDrawingHold&) = delete;
  TDrawingHold& operator=(const TDrawingHold&) = delete;

private:
  HWND FPane;
};
} // namespace

TRichEditPane::TRichEditPane(HWND parent, const TBounds& bounds, UINT id) {
  LoadRichEditLibrary();
  CreatePane(parent, bounds, id);
}

TRichEditPane::~TRichEditPane() {
  DestroyHandle(); // before the font it uses
}

// Makes a pane the wrapper's control and hands back the one it had before, if any.
TWindowHandle TRichEditPane::CreatePane(HWND parent, const TBounds& bounds, UINT id) {
  TWindowHandle old =
      CreateControl(RICHEDIT_CLASS10A, PaneStyle, WS_EX_CLIENTEDGE, parent, bounds, "", id);
  SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), FALSE);
  SendMessageA(Handle(), EM_EXLIMITTEXT, 0, TextLimit);
  SendMessageA(Handle(), EM_SETEVENTMASK, 0, ENM_SELCHANGE);
  SetWindowSubclass(Handle(), DialogKeys, 1, reinterpret_cast<DWORD_PTR>(this));
  return old;
}

void TRichEditPane::Clear() {
  const HWND old = Handle();
  const RECT place = BoundsOf(old);
  // The style the pane was made with, not its current one: the control drops WS_VSCROLL
  // while its text needs no scroll bar, and a pane made without it never shows one.
  TWindowHandle retired = CreatePane(
      GetParent(old), {place.left, place.top, place.right - place.left, place.bottom - place.top},
      static_cast<UINT>(GetDlgCtrlID(old)));
  // Right behind the old pane in the z-order, which is the tab order.
  SetWindowPos(Handle(), old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const bool focused = GetFocus() == old;
  const TAlign align = AlignOf(old);
  retired.Reset();
  if (align != alNone) SetAlign(Handle(), align);
  if (focused) ::SetFocus(Handle());
  if (OnSelectionChange) OnSelectionChange();
}

// Whether lineCount lines cannot fit the pane's height, however they wrap.
bool TRichEditPane::Overflows(size_t lineCount) const {
  RECT client;
  GetClientRect(Handle(), &client);
  const TScreenDC dc(GetDC(nullptr)); // the same device as the pane's
  const TSelection font(dc.Get(), FFont.Handle());
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.Get(), &metrics);
  return lineCount > size_t(client.bottom / std::max(metrics.tmHeight, LONG(1)));
}

bool TRichEditPane::LoadRtf(const std::string& rtf, size_t lineCount,
                            const std::function<bool()>& stopRequested) {
  // The control lays the whole text out again when its scroll bar appears and narrows it, which
  // doubled the load of a long file: a text taller than the pane gets its bar first.
  if (Overflows(lineCount)) ShowScrollBar(Handle(), SB_VERT, TRUE);
  TDrawingHold hold(Handle());
  TStreamSource source{rtf, stopRequested, 0, false, nullptr};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadStream};
  SendMessageA(Handle(), EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  if (source.Error) std::rethrow_exception(source.Error);
  if (source.Stopped) return false;
  if (stream.dwError) throw Exception(Format("EM_STREAMIN : %lu", stream.dwError));
  return true;
}

int32_t TRichEditPane::SelStart() const {
  CHARRANGE range{};
  SendMessageA(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range.cpMin;
}

void TRichEditPane::SetSelStart(int32_t position) {
  CHARRANGE range{position, position};
  SendMessageA(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void TRichEditPane::SetSelLength(int32_t length) {
  CHARRANGE range{};
  SendMessageA(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  range.cpMax = range.cpMin + length;
  SendMessageA(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  SendMessageA(Handle(), EM_SCROLLCARET, 0, 0);
}

int TRichEditPane::LineFromChar(int32_t position) const {
  return static_cast<int>(SendMessageA(Handle(), EM_LINEFROMCHAR, position, 0));
}

void TRichEditPane::ScrollLines(int lines) {
  SendMessageA(Handle(), EM_LINESCROLL, 0, lines);
}

LRESULT TRichEditPane::Notify(NMHDR* header) {
  if (header->code == EN_SELCHANGE && OnSelectionChange) OnSelectionChange();
  return 0;
}
