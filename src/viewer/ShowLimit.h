#pragma once
// How much text the viewer agrees to show. The pane's load blocks the window, and under Wine its
// time and memory grow with the bytes, the lines, the rows that long lines wrap into and the
// marked lines; past the bounds below a file is refused rather than freezing the window.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Measured on one load each, Wine 8, the 824-pixel pane (viewer_limit_bench, processor time):
//   8 MiB in lines of 80 bytes (104,858 lines), none marked   5.5 s    915 MiB peak
//   the same, every line marked                               7.6 s  1,070 MiB
//   8 MiB in lines of 20 bytes (419,431 lines)               16.8 s  2,606 MiB
//   8 MiB in lines of 1,000 bytes (each wraps into 10 rows)  10.0 s  1,028 MiB
//   one line of 4 MiB (about 42,000 rows)                     7.6 s    325 MiB
// Fitted to these, a load costs about 0.21 us and 41 bytes a byte, 36 us and 5.6 KiB a line,
// 170 us and 8.6 KiB a further row of a wrapped line, 19 us and 1.5 KiB a marked line. The rule:
// a text is shown when that estimate stays within 10 s and 960 MiB (a 1 GiB peak with the
// program's own 25 MiB and some room). Lines of about 100 bytes cost least, so no text longer
// than MaxShownBytes can pass: the reading stops there.
struct TShowCost {
  double Seconds = 0;
  double MiB = 0;
};

constexpr uint64_t MaxShownBytes = 10 << 20;

// The estimate for lines with marks marked lines.
TShowCost ShowCost(const std::vector<std::string>& lines, size_t marks);
bool WithinShowLimit(const std::vector<std::string>& lines, size_t marks);
