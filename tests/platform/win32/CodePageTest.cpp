#include "platform/CodePage.h"

#include <gtest/gtest.h>
#include <windows.h>

// The host build stands in Windows-1252's tables for CharUpperBuffA and for the conversion
// without best fit; they must agree.
TEST(CodePageTest, HostTablesEqualTheSystems) {
  ASSERT_EQ(GetACP(), 1252u);
  const TCodePage host = TCodePage::Windows1252();
  const TCodePage& system = TCodePage::Current();
  for (int c = 0; c < 256; ++c) {
    SCOPED_TRACE(c);
    EXPECT_EQ(host.Upper(c), system.Upper(c));
    EXPECT_EQ(int(host.ToUnicode(c)), int(system.ToUnicode(c)));
  }
  // Look-alikes are no conversion: the system's best fit would give 'a', 'A' and '"'.
  for (const char32_t c : {U'\u0101', U'\u0100', U'\u201F'})
    EXPECT_EQ(system.FromUnicode(c), 0) << int(c);
  EXPECT_FALSE(system.HasLeadBytes());
}
