#include "viewer/ShowLimit.h"

namespace {
// Characters of the pane's font in one row of its 824 pixels, scroll bar taken off.
constexpr size_t RowChars = 100;
} // namespace

double LineShowSeconds(size_t length) {
  const size_t wraps = length > RowChars ? (length - 1) / RowChars : 0;
  return (0.53 * double(length) + 34 + 127 * double(wraps)) / 1e6;
}

size_t LongestShownLine() {
  size_t shown = 0, over = size_t(1) << 32;
  while (over - shown > 1) {
    const size_t middle = shown + (over - shown) / 2;
    (LineShowSeconds(middle) <= MaxShowSeconds ? shown : over) = middle;
  }
  return shown;
}

double ShowSeconds(const std::vector<std::string>& lines, size_t marks) {
  double seconds = MarkShowSeconds * double(marks);
  for (const std::string& line : lines)
    seconds += LineShowSeconds(line.size());
  return seconds;
}

bool WithinShowLimit(const std::vector<std::string>& lines, size_t marks) {
  return ShowSeconds(lines, marks) <= MaxShowSeconds;
}
