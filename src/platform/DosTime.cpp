#include "platform/DosTime.h"

int32_t PackDosDateTime(const TDosDateTime& time) {
  if (time.Year < 1980) return PackDosDateTime({1980, 1, 1, 0, 0, 0});
  if (time.Year > 2107) return PackDosDateTime({2107, 12, 31, 23, 59, 58});
  const uint32_t date = (time.Year - 1980) << 9 | time.Month << 5 | time.Day;
  const uint32_t clock = time.Hour << 11 | time.Minute << 5 | time.Second / 2;
  return static_cast<int32_t>(date << 16 | clock);
}

TDosDateTime UnpackDosDateTime(int32_t time) {
  const uint32_t bits = static_cast<uint32_t>(time);
  return {static_cast<int>(bits >> 25) + 1980, static_cast<int>(bits >> 21 & 0x0F),
          static_cast<int>(bits >> 16 & 0x1F),  static_cast<int>(bits >> 11 & 0x1F),
          static_cast<int>(bits >> 5 & 0x3F),   static_cast<int>(bits & 0x1F) * 2};
}
