#include "search/SizeFormat.h"

#include <gtest/gtest.h>

#include <climits>

TEST(SizeFormatTest, DigitsWhereTheyFitAndTheLargestUnitReachedWhereNot) {
  const struct {
    int64_t size;
    size_t room; // the digits that fit
    const char* text;
  } rows[] = {{0, 0, "0"}, // below 1 Ko: digits always
              {1023, 2, "1023"},
              {1536, 10, "1536"},
              {9999999999, 10, "9999999999"}, // ten digits fit the column
              {40000000000, 10, "37,3 Go"},   // eleven do not
              {1LL << 40, 10, "1,0 To"},
              {(1LL << 40) - 1, 10, "1,0 To"}, // 1 024,0 Go rounds up to the next unit
              {1024, 3, "1,0 Ko"},
              {1587, 3, "1,5 Ko"}, // 1,549... rounds down
              {1588, 3, "1,6 Ko"}, // 1,550... rounds up
              {(1LL << 20) * 1023 + 1, 3, "1023,0 Mo"},
              {LLONG_MAX, 10, "8,0 Eo"}, // the largest size: exact in integers
              {(1LL << 60) * 7 + (1LL << 59), 10, "7,5 Eo"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.size);
    EXPECT_EQ(
        SizeText(row.size, [&](const std::string& digits) { return digits.size() <= row.room; }),
        row.text);
  }
}
