#include "platform/TextCompare.h"

#include <gtest/gtest.h>

// CompareStringA of the French user locale, ignoring letter case only.
TEST(TextCompareTest, EqualIgnoringLetterCase) {
  struct TCase {
    const char* A;
    const char* B;
    bool Same;
  };
  const TCase cases[] = {
      {"*.txt", "*.TXT", true}, {"été", "ÉTÉ", true}, {"œuvre", "ŒUVRE", true},
      {"", "", true},           {"a", "b", false},    {"*.txt", "*.txt ", false},
      {"e", "é", false},        {"", "a", false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.A) + " / " + c.B);
    EXPECT_EQ(c.Same, AnsiSameText(c.A, c.B));
  }
}
