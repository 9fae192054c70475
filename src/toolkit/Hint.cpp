#include "toolkit/Hint.h"

#include <commctrl.h>

#include <set>

namespace {
std::set<HWND>& Tooltips() {
  static std::set<HWND> tooltips;
  return tooltips;
}

TTTOOLINFOA ToolOf(HWND control, const std::string& text) {
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE; // understood by every version of the common controls
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = control;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<char*>(text.c_str());
  return tool;
}
} // namespace

TControlHint::TControlHint(HWND control) : FControl(control) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES};
  InitCommonControlsEx(&classes);
  FTooltip.Reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, control, nullptr,
                                 GetModuleHandleA(nullptr), nullptr));
  if (!FTooltip) RaiseLastOSError("CreateWindow tooltips");
  TTTOOLINFOA tool = ToolOf(FControl, FText);
  SendMessageA(FTooltip.Get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  Tooltips().insert(FTooltip.Get());
}

TControlHint::~TControlHint() {
  Tooltips().erase(FTooltip.Get());
}

void TControlHint::SetText(const std::string& text) {
  FText = text;
  TTTOOLINFOA tool = ToolOf(FControl, FText);
  SendMessageA(FTooltip.Get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void CancelHint() {
  for (HWND tooltip : Tooltips())
    SendMessageA(tooltip, TTM_POP, 0, 0);
}
