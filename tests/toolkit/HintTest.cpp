#include "toolkit/Hint.h"

#include "support/TestForm.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {
std::string TooltipText(const TControlHint& hint, HWND control) {
  char text[256] = {};
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = control;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  SendMessageA(hint.Handle(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  return text;
}
} // namespace

TEST(HintTest, TheTooltipShowsTheControlsCurrentText) {
  TTestForm form(200, 100);
  TControlHint hint(form.Handle());
  EXPECT_EQ("", TooltipText(hint, form.Handle()));
  for (const char* text : {"C:\\", "C:\\Windows\\Syst\xE8me", ""}) {
    SCOPED_TRACE(text);
    hint.SetText(text);
    EXPECT_EQ(text, TooltipText(hint, form.Handle()));
  }
}
