#pragma once
// The user's regional settings that the "Date Heure" text is built from, as the platform
// gives them; an empty text means the locale gives none.
#include <array>
#include <string>

struct TRegionalSettings {
  std::string ShortDate;     // the locale's short date format, e.g. dd/MM/yyyy
  std::string DateSeparator; // as the locale gives it, of any length
  std::string TimeSeparator;
  bool HourLeadingZero = false;
  bool TwelveHourClock = true;
  bool MarkerFirst = false; // the morning or afternoon marker comes before the time
  std::string MorningMarker;
  std::string AfternoonMarker;
  std::array<std::string, 12> ShortMonthNames, LongMonthNames; // January first
  std::array<std::string, 7> ShortDayNames, LongDayNames;      // Sunday first
};

// Read afresh at each call: the program re-reads them when the system announces a change.
TRegionalSettings ReadRegionalSettings();
