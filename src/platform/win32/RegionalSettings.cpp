#include "platform/RegionalSettings.h"

#include <windows.h>

#include <cstdlib>

namespace {

std::string LocaleText(LCTYPE type) {
  char buffer[256];
  const int length = GetLocaleInfoA(GetThreadLocale(), type, buffer, sizeof buffer);
  return length > 0 ? std::string(buffer, length - 1) : std::string();
}

// A numeric setting; the locale giving none reads as 0.
bool LocaleFlag(LCTYPE type) { return std::atoi(LocaleText(type).c_str()) != 0; }

} // namespace

TRegionalSettings ReadRegionalSettings() {
  TRegionalSettings settings;
  settings.ShortDate = LocaleText(LOCALE_SSHORTDATE);
  settings.DateSeparator = LocaleText(LOCALE_SDATE);
  settings.TimeSeparator = LocaleText(LOCALE_STIME);
  settings.HourLeadingZero = LocaleFlag(LOCALE_ITLZERO);
  settings.TwelveHourClock = !LocaleFlag(LOCALE_ITIME);
  settings.MarkerFirst = LocaleFlag(LOCALE_ITIMEMARKPOSN);
  settings.MorningMarker = LocaleText(LOCALE_S1159);
  settings.AfternoonMarker = LocaleText(LOCALE_S2359);
  for (int month = 0; month < 12; ++month) {
    settings.ShortMonthNames[month] = LocaleText(LOCALE_SABBREVMONTHNAME1 + month);
    settings.LongMonthNames[month] = LocaleText(LOCALE_SMONTHNAME1 + month);
  }
  // The locale's week starts on Monday; ours on Sunday.
  for (int day = 0; day < 7; ++day) {
    settings.ShortDayNames[day] = LocaleText(LOCALE_SABBREVDAYNAME1 + (day + 6) % 7);
    settings.LongDayNames[day] = LocaleText(LOCALE_SDAYNAME1 + (day + 6) % 7);
  }
  return settings;
}
