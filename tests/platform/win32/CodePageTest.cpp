#include "platform/CodePage.h"

#include <gtest/gtest.h>
#include <windows.h>

// The host build stands in Windows-1252's table for CharUpperBuffA; they must agree.
TEST(CodePageTest, HostTableEqualsCharUpperBuffA) {
  ASSERT_EQ(GetACP(), 1252u);
  const TCodePage host = TCodePage::Windows1252();
  const TCodePage& system = TCodePage::Current();
  for (int c = 0; c < 256; ++c) {
    SCOPED_TRACE(c);
    EXPECT_EQ(host.Upper(c), system.Upper(c));
  }
  EXPECT_FALSE(system.HasLeadBytes());
}
