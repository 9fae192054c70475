#include "platform/RegionalSettings.h"

// The host build stands in for the French Windows that the program is tested under.
TRegionalSettings ReadRegionalSettings() {
  TRegionalSettings settings;
  settings.ShortDate = "dd/MM/yyyy";
  settings.DateSeparator = "/";
  settings.TimeSeparator = ":";
  settings.HourLeadingZero = true;
  settings.TwelveHourClock = false;
  settings.LongMonthNames = {"janvier", "février", "mars",      "avril",   "mai",      "juin",
                             "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};
  settings.ShortMonthNames = {"janv.", "févr.", "mars", "avr.", "mai",  "juin",
                              "juil.", "août",  "sept.", "oct.", "nov.", "déc."};
  settings.LongDayNames = {"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"};
  settings.ShortDayNames = {"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."};
  return settings;
}
