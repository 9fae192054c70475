#include "viewer/Navigation.h"

#include "base/SysUtils.h"

int32_t NavigatedOccurrence(TNavigStep step, int32_t current, int32_t count) {
  switch (step) {
  case nsPrevious: return current > 1 ? current - 1 : count;
  case nsNext: return current < count ? current + 1 : 1;
  case nsFirst: return 1;
  case nsLast: break;
  }
  return count;
}

std::string OccurrenceCounterText(int32_t current, int32_t count) {
  return Format("occurence %d/ %d", current, count);
}

std::string LineLabelText(int line) {
  return Format("Ligne : %d", line);
}
