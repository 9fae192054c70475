#pragma once
// The "Date Heure" text of a found file, written with patterns built from the regional
// settings.
#include "platform/DosTime.h"
#include "platform/RegionalSettings.h"

#include <array>
#include <cstdint>
#include <string>

struct TFormatSettings {
  std::string ShortDateFormat = "m/d/yy";
  std::string LongTimeFormat = "h:mm:ss AMPM";
  char DateSeparator = '/'; // written for "/" in the patterns
  char TimeSeparator = ':'; // written for ":"
  std::string TimeAMString = "am";
  std::string TimePMString = "pm";
  std::array<std::string, 12> ShortMonthNames, LongMonthNames;
  std::array<std::string, 7> ShortDayNames, LongDayNames;

  // The locale's short date format unchanged; the long time pattern from its hour flags;
  // separators only when they are one character; defaults where the locale gives nothing.
  static TFormatSettings FromRegional(const TRegionalSettings& regional);
};

// Writes value with a date-time pattern: d dd ddd dddd, m mm mmm mmmm (minutes right after
// an hour), n nn, y yy yyyy, h hh, s ss, AMPM am/pm a/p (the hour then runs 12, 1 to 11), /
// and :, quoted text; any other character stands for itself.
std::string FormatDateTime(const std::string& pattern, const TDosDateTime& value,
                           const TFormatSettings& settings);

// The short date, then, unless the time is exactly midnight, a blank and the long time.
// Raises "Argument incorrect pour date encode" or "Argument incorrect pour Time encode" for a
// packed value that is not a valid date, or time of day.
std::string FormatFileTime(int32_t time, const TFormatSettings& settings);
