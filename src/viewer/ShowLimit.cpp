#include "viewer/ShowLimit.h"

namespace {
// Characters of the pane's font in one row of its 824 pixels, scroll bar taken off.
constexpr size_t RowChars = 100;
constexpr double MaxSeconds = 8;
} // namespace

double ShowSeconds(const std::vector<std::string>& lines, size_t marks) {
  double bytes = 0, wraps = 0;
  for (const std::string& line : lines) {
    bytes += double(line.size());
    if (line.size() > RowChars) wraps += double((line.size() - 1) / RowChars);
  }
  return (0.53 * bytes + 34 * double(lines.size()) + 127 * wraps + 36 * double(marks)) / 1e6;
}

bool WithinShowLimit(const std::vector<std::string>& lines, size_t marks) {
  return ShowSeconds(lines, marks) <= MaxSeconds;
}
