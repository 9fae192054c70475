#include "platform/DosTime.h"

#include <gtest/gtest.h>

TEST(DosTimeTest, PacksDateHighTimeLowAndClampsYearsItCannotHold) {
  const struct {
    TDosDateTime Time;
    uint32_t Packed;
  } cases[] = {
      {{2005, 12, 25, 14, 3, 8}, (25u << 9 | 12 << 5 | 25) << 16 | (14 << 11 | 3 << 5 | 4)},
      {{1980, 1, 1, 0, 0, 1}, (1u << 5 | 1) << 16},
      {{1979, 12, 31, 23, 59, 59}, (1u << 5 | 1) << 16},
      {{1601, 1, 1, 0, 0, 0}, (1u << 5 | 1) << 16},
      {{2107, 12, 31, 23, 59, 59}, (127u << 9 | 12 << 5 | 31) << 16 | (23 << 11 | 59 << 5 | 29)},
      {{2108, 1, 1, 0, 0, 0}, (127u << 9 | 12 << 5 | 31) << 16 | (23 << 11 | 59 << 5 | 29)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Time.Year);
    EXPECT_EQ(static_cast<uint32_t>(PackDosDateTime(c.Time)), c.Packed);
  }
  const TDosDateTime last = UnpackDosDateTime(PackDosDateTime({2107, 12, 31, 23, 59, 58}));
  EXPECT_EQ(last.Year, 2107); // a negative packed value still unpacks to a late year
  EXPECT_EQ(last.Second, 58);
}
