#include "search/SizeFormat.h"

#include <iterator>

namespace {
const char* const Units[] = {"Ko", "Mo", "Go", "To", "Po", "Eo"};
constexpr int LastUnit = static_cast<int>(std::size(Units)) - 1;

// Tenths of unit in bytes, rounded half up, in integers: a double would lose the last bytes of
// the largest sizes, and (bytes % unit) * 10 stays below 2^64 since unit is at most 2^60.
uint64_t TenthsOf(uint64_t bytes, uint64_t unit) {
  return bytes / unit * 10 + ((bytes % unit) * 10 + unit / 2) / unit;
}
} // namespace

std::string SizeText(int64_t size, const std::function<bool(const std::string&)>& fits) {
  std::string digits = std::to_string(size);
  if (size < 1024 || fits(digits)) return digits;
  const uint64_t bytes = static_cast<uint64_t>(size);
  int k = 0;
  uint64_t unit = 1024;
  while (k < LastUnit && bytes / 1024 >= unit) {
    unit *= 1024;
    ++k;
  }
  uint64_t tenths = TenthsOf(bytes, unit);
  if (tenths >= 10240 && k < LastUnit) { // rounded up to 1,024 of it: one of the next unit
    unit *= 1024;
    ++k;
    tenths = TenthsOf(bytes, unit);
  }
  return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10) + " " + Units[k];
}
