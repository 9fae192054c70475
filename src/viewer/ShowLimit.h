#pragma once
// How much text the viewer agrees to show. The pane's load blocks the window, and under Wine its
// time grows with the bytes, the lines, the rows that long lines wrap into and the marked lines;
// past the bound below a file is refused rather than freezing the window.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Measured on one load each, Wine 8, the 824-pixel pane (viewer_limit_bench, wall clock: the
// window waits on the X server and wineserver too, and this process's own processor time was a
// third to a quarter of it):
//   4 MiB in lines of 80 bytes (52,429 lines), none marked   12.1 s   471 MiB peak
//   the same, every line marked                              18.1 s   548 MiB
//   8 MiB in lines of 80 bytes (104,858 lines)               22.1 s   915 MiB
//   2.5 MiB in lines of 20 bytes (131,072 lines)             16.2 s   832 MiB
//   4 MiB in lines of 1,000 bytes (each wraps into 10 rows)  16.0 s   527 MiB
//   one line of 4 MiB (about 42,000 rows)                    20.9 s   351 MiB
// Fitted to these, a load takes about 1.45 us a byte, 94 us a line, 350 us a further row of a
// wrapped line and 100 us a marked line. The rule: a text is shown when that estimate stays
// within 8 s, a fifth under 10 s for the spread of the wall clock on a busy machine (loads of
// one file differed by up to 40 % from run to run); its memory then stays under about 500 MiB.
// Lines of about 100 bytes cost least, so no text longer than MaxShownBytes can pass: the
// reading stops there.
constexpr uint64_t MaxShownBytes = 4 << 20;

// The estimated seconds of the load of lines with marks marked lines.
double ShowSeconds(const std::vector<std::string>& lines, size_t marks);
bool WithinShowLimit(const std::vector<std::string>& lines, size_t marks);
