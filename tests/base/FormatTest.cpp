#include "base/SysUtils.h"

#include <gtest/gtest.h>

TEST(FormatTest, FillsTextAndNumbers) {
  EXPECT_EQ(Format("'%s' est un masque incorrect à (%d)", "[]", 2),
            "'[]' est un masque incorrect \xE0 (2)");
  EXPECT_EQ(Format("%s", std::string(5000, 'x').c_str()).size(), 5000u);
  EXPECT_EQ(Format("%s", ""), "");
}
