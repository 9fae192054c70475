#include "viewer/ShowLimit.h"

#include <gtest/gtest.h>

namespace {
// About bytes bytes in lines of width bytes.
std::vector<std::string> Lines(size_t bytes, size_t width) {
  return std::vector<std::string>((bytes + width - 1) / width, std::string(width, 'x'));
}
} // namespace

// Each term of the estimate decides one pair: bytes in lines, marks, short lines, long lines.
TEST(ShowLimitTest, CountsBytesLinesWrappedRowsAndMarks) {
  constexpr size_t MiB = 1 << 20;
  const struct {
    const char* Name;
    size_t Bytes, Width, Marks;
    bool Shown;
  } rows[] = {
      {"7 MiB in lines of 80", 7 * MiB, 80, 0, true},
      {"the same, every line marked", 7 * MiB, 80, 7 * MiB / 80, false},
      {"8.5 MiB in lines of 100, the cheapest", 17 * MiB / 2, 100, 0, true},
      {"3 MiB in lines of 20", 3 * MiB, 20, 0, true},
      {"4 MiB in lines of 20", 4 * MiB, 20, 0, false},
      {"one line of 4 MiB", 4 * MiB, 4 * MiB, 1, true},
      {"one line of 5 MiB", 5 * MiB, 5 * MiB, 1, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(WithinShowLimit(Lines(row.Bytes, row.Width), row.Marks), row.Shown);
  }
  EXPECT_FALSE(WithinShowLimit(Lines(MaxShownBytes, 100), 0)) << "nothing longer can pass";
  const size_t longest = LongestShownLine();
  EXPECT_TRUE(WithinShowLimit(Lines(longest, longest), 0));
  EXPECT_FALSE(WithinShowLimit(Lines(longest + 1, longest + 1), 0));
}
