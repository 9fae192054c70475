#pragma once
// How much text the viewer agrees to show. The pane's load blocks the window, and under Wine its
// time grows with the bytes, the lines, the rows that long lines wrap into and the marked lines;
// past the bound below a file is shown by its excerpt rather than freezing the window.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Measured on one load each, Wine 8, the 824-pixel pane, on a quiet machine (viewer_limit_bench
// --unlimited; wall clock, which a busy machine stretches up to three times):
//   1 MiB in lines of 80 bytes (13,108 lines), none marked    1.00 s   137 MiB peak
//   2.5 MiB in lines of 80 bytes, none / every line marked     2.11 / 2.55 s   304 / 352 MiB
//   8 MiB in lines of 80 bytes (104,858 lines)                 7.69 s   915 MiB
//   2 MiB in lines of 20 bytes (104,858 lines)                 4.53 s   670 MiB
//   2 MiB in lines of 1,000 bytes (each wraps into 10 rows)    2.39 s   276 MiB
//   one line of 2.5 MiB (about 26,000 rows)                    4.69 s   228 MiB
// A load takes at most about 0.53 us a byte, 34 us a line, 127 us a further row of a wrapped
// line and 36 us a marked line (every load measured stays within that estimate). The rule: a
// text is shown when the estimate stays within 8 s, a fifth under 10 s for the spread of the
// wall clock; its memory then stays near 1 GB at most (short lines cost the most). Lines of
// about 100 bytes cost least, so no text longer than MaxShownBytes can pass: the reading stops
// there.
constexpr uint64_t MaxShownBytes = 9 << 20;

// The show budget, and the estimated seconds that one line of length bytes and one mark add to a
// load.
constexpr double MaxShowSeconds = 8;
double LineShowSeconds(size_t length);
constexpr double MarkShowSeconds = 36e-6;
// The longest line whose load alone stays within the budget.
size_t LongestShownLine();

// The estimated seconds of the load of lines with marks marked lines.
double ShowSeconds(const std::vector<std::string>& lines, size_t marks);
bool WithinShowLimit(const std::vector<std::string>& lines, size_t marks);
