#include "viewer/ShowLimit.h"

namespace {
// Characters of the pane's font in one row of its 824 pixels, scroll bar taken off.
constexpr size_t RowChars = 100;
constexpr double MaxSeconds = 10;
constexpr double MaxMiB = 960;
} // namespace

TShowCost ShowCost(const std::vector<std::string>& lines, size_t marks) {
  double bytes = 0, wraps = 0;
  for (const std::string& line : lines) {
    bytes += double(line.size());
    if (line.size() > RowChars) wraps += double((line.size() - 1) / RowChars);
  }
  const double count = double(lines.size()), marked = double(marks);
  return {(0.21 * bytes + 36 * count + 170 * wraps + 19 * marked) / 1e6,
          (41 * bytes + 5.6 * 1024 * count + 8.6 * 1024 * wraps + 1.5 * 1024 * marked) / (1 << 20)};
}

bool WithinShowLimit(const std::vector<std::string>& lines, size_t marks) {
  const TShowCost cost = ShowCost(lines, marks);
  return cost.Seconds <= MaxSeconds && cost.MiB <= MaxMiB;
}
