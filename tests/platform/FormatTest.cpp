#include "platform/CodePage.h"
#include "platform/SysUtils.h"

#include <gtest/gtest.h>

TEST(Format, FillsTextAndNumbers) {
  EXPECT_EQ(Format("'%s' est un masque incorrect à (%d)", "[]", 2),
            "'[]' est un masque incorrect \xE0 (2)");
  EXPECT_EQ(Format("%s", std::string(5000, 'x').c_str()).size(), 5000u);
  EXPECT_EQ(Format("%s", ""), "");
}

TEST(CodePage, UpperCaseKeepsLengthAndPositions) {
  const TCodePage page = TCodePage::Windows1252();
  EXPECT_EQ(page.UpperCase("l'\xE9t\xE9 \xFF\x9C\xDF"), "L'\xC9T\xC9 \x9F\x8C\xDF");
  EXPECT_EQ(page.UpperCase(std::string("a\0b", 3)), std::string("A\0B", 3));
}
