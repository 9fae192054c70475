#include "toolkit/EscapeWatch.h"

#include "support/DialogTestForm.h"
#include "support/KeyInput.h"
#include "toolkit/Edit.h"

#include <gtest/gtest.h>

// The keys typed around Échap during a long operation reach their control once it is over, in
// their order; Échap itself reaches nobody.
TEST(EscapeWatchTest, TakesEscapeAndGivesTheOtherKeysBackInOrder) {
  TDialogTestForm form;
  TEdit edit(form.Handle(), {0, 0, 200, 21});
  edit.SetFocus();
  bool escaped = false;
  {
    TEscapeWatch watch;
    EXPECT_FALSE(watch.Due()) << "not at once";
    SendChord({'A'});
    SendChord({VK_ESCAPE});
    SendChord({'B'});
    const DWORD start = GetTickCount();
    while (!escaped && GetTickCount() - start < 5000) {
      escaped = watch.EscapePressed();
      Sleep(10);
    }
    EXPECT_EQ(edit.Text(), "") << "nothing reaches the control meanwhile";
  }
  EXPECT_TRUE(escaped);
  PumpInput();
  EXPECT_EQ(edit.Text(), "ab");
}
