#pragma once
// The MS-DOS packed date and time: from the most significant bit, year - 1980 (7 bits),
// month (4), day (5), hour (5), minute (6), seconds / 2 (5).
#include <cstdint>

struct TDosDateTime {
  int Year, Month, Day, Hour, Minute, Second;
};

// Packs a local date and time; a year before 1980 gives the first representable instant and
// one after 2107 the last, so that one odd file date never stops a search. Odd seconds are
// rounded down, as the platform's conversion does.
int32_t PackDosDateTime(const TDosDateTime& time);
// Unpacks without any check: the fields may not form a valid date or time.
TDosDateTime UnpackDosDateTime(int32_t time);
