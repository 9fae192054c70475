#pragma once
// Stepping through the occurrence index with wrap-around, and the texts that follow it.
#include <cstdint>
#include <string>

enum TNavigStep { nsFirst, nsPrevious, nsNext, nsLast };

// The occurrence (1-based) that step leads to from current, among count >= 1 occurrences:
// previous on the first wraps to the last, next on the last to the first.
int32_t NavigatedOccurrence(TNavigStep step, int32_t current, int32_t count);

// "occurence 3/ 7": no blank before the slash, one after it.
std::string OccurrenceCounterText(int32_t current, int32_t count);
// What the counter shows after a load that found nothing.
inline constexpr const char* NoOccurrenceText = "occurence 0/ 0";
// What it shows while the pane is empty, at start as after: a blank before the slash.
inline constexpr const char* EmptyPaneCounterText = "occurence 0 / 0";
// The 0-based display line of the selection start, as the pane reports it.
std::string LineLabelText(int line);
