#include "toolkit/Hint.h"

#include "base/SysUtils.h"
#include "toolkit/Window.h"

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
  FTooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, control, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  if (!FTooltip) throw Exception(Format("CreateWindow tooltips : %s", LastErrorText().c_str()));
  TTTOOLINFOA tool = ToolOf(FControl, FText);
  SendMessageA(FTooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  Tooltips().insert(FTooltip);
}

TControlHint::~TControlHint() {
  Tooltips().erase(FTooltip);
  DestroyWindow(FTooltip);
}

void TControlHint::SetText(const std::string& text) {
  FText = text;
  TTTOOLINFOA tool = ToolOf(FControl, FText);
  SendMessageA(FTooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void CancelHint() {
  for (HWND tooltip : Tooltips()) SendMessageA(tooltip, TTM_POP, 0, 0);
}
