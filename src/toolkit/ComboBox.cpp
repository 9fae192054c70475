#include "toolkit/ComboBox.h"

#include "base/SysUtils.h"
#include "toolkit/CodePageText.h"

namespace {
// Eight items of the window font before the open list scrolls.
constexpr int ListHeight = 8 * 13 + 2;
} // namespace

TComboBox::TComboBox(HWND parent, const TBounds& bounds) {
  TBounds withList = bounds;
  withList.Height += ListHeight;
  CreateControl("COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, parent,
                withList, "", 0, ctWide);
}

int TComboBox::ItemCount() const {
  return static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0));
}

std::string TComboBox::Item(int k) const {
  const LRESULT length = SendMessageW(Handle(), CB_GETLBTEXTLEN, k, 0);
  if (length == CB_ERR) return "";
  std::wstring text(length + 1, L'\0');
  const LRESULT copied =
      SendMessageW(Handle(), CB_GETLBTEXT, k, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == CB_ERR ? 0 : copied);
  return AnsiOf(text);
}

// Items go through the wide messages: the control's own conversion of an ANSI item overflows
// past 511 characters (common controls 6 under Wine), and a history entry has no limit.
void TComboBox::AddItem(const std::string& text) {
  const std::wstring wide = WideOf(text);
  const LRESULT index =
      SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  if (index == CB_ERR || index == CB_ERRSPACE) throw Exception("Ne peut insérer une ligne");
}
