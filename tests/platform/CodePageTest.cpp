#include "platform/CodePage.h"

#include <gtest/gtest.h>

TEST(CodePageTest, UpperCaseKeepsLengthAndPositions) {
  const TCodePage page = TCodePage::Windows1252();
  EXPECT_EQ(page.UpperCase("l'\xE9t\xE9 \xFF\x9C\xDF"), "L'\xC9T\xC9 \x9F\x8C\xDF");
  EXPECT_EQ(page.UpperCase(std::string("a\0b", 3)), std::string("A\0B", 3));
}
