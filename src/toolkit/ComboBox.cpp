#include "toolkit/ComboBox.h"

#include "base/SysUtils.h"

namespace {
// Eight items of the window font before the open list scrolls.
constexpr int ListHeight = 8 * 13 + 2;
} // namespace

TComboBox::TComboBox(HWND parent, const TBounds& bounds) {
  TBounds withList = bounds;
  withList.Height += ListHeight;
  CreateControl("COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, parent,
                withList, "");
}

int TComboBox::ItemCount() const {
  return static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0));
}

std::string TComboBox::Item(int k) const {
  const LRESULT length = SendMessageA(Handle(), CB_GETLBTEXTLEN, k, 0);
  if (length == CB_ERR) return "";
  std::string text(length + 1, '\0');
  text.resize(SendMessageA(Handle(), CB_GETLBTEXT, k, reinterpret_cast<LPARAM>(text.data())));
  return text;
}

void TComboBox::AddItem(const std::string& text) {
  const LRESULT index =
      SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index == CB_ERR || index == CB_ERRSPACE) throw Exception("Ne peut insérer une ligne");
}
