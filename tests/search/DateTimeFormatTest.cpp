#include "search/DateTimeFormat.h"

#include "base/SysUtils.h"

#include <gtest/gtest.h>

namespace {

TRegionalSettings French() {
  TRegionalSettings r;
  r.ShortDate = "dd/MM/yyyy";
  r.DateSeparator = "/";
  r.TimeSeparator = ":";
  r.HourLeadingZero = true;
  r.TwelveHourClock = false;
  return r;
}

TRegionalSettings UnitedStates() {
  TRegionalSettings r;
  r.ShortDate = "M/d/yyyy";
  r.DateSeparator = "/";
  r.TimeSeparator = ":";
  r.HourLeadingZero = false;
  r.TwelveHourClock = true;
  r.MorningMarker = "AM";
  r.AfternoonMarker = "PM";
  return r;
}

int32_t Packed(int y, int mo, int d, int h, int mi, int s) {
  return PackDosDateTime({y, mo, d, h, mi, s});
}

} // namespace

TEST(FormatSettingsTest, PatternsFromTheRegionalSettings) {
  TRegionalSettings markerFirst = UnitedStates();
  markerFirst.MarkerFirst = true;
  markerFirst.HourLeadingZero = true;
  TRegionalSettings longSeparators = French();
  longSeparators.DateSeparator = "--";
  longSeparators.TimeSeparator = " h ";
  TRegionalSettings none; // the locale gives nothing
  TRegionalSettings dotted = French();
  dotted.ShortDate = "dd.MM.yy";
  dotted.DateSeparator = ".";
  const struct {
    const char* Name;
    TRegionalSettings Regional;
    const char* Date;
    const char* Time;
    char DateSeparator, TimeSeparator;
    const char* Am;
  } cases[] = {
      {"French", French(), "dd/MM/yyyy", "hh:mm:ss", '/', ':', "am"},
      {"US", UnitedStates(), "M/d/yyyy", "h:mm:ss AMPM", '/', ':', "AM"},
      {"marker first", markerFirst, "M/d/yyyy", "AMPM hh:mm:ss", '/', ':', "AM"},
      {"long separators", longSeparators, "dd/MM/yyyy", "hh:mm:ss", '/', ':', "am"},
      {"none", none, "m/d/yy", "h:mm:ss AMPM", '/', ':', "am"},
      {"dotted", dotted, "dd.MM.yy", "hh:mm:ss", '.', ':', "am"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const TFormatSettings s = TFormatSettings::FromRegional(c.Regional);
    EXPECT_EQ(s.ShortDateFormat, c.Date);
    EXPECT_EQ(s.LongTimeFormat, c.Time);
    EXPECT_EQ(s.DateSeparator, c.DateSeparator);
    EXPECT_EQ(s.TimeSeparator, c.TimeSeparator);
    EXPECT_EQ(s.TimeAMString, c.Am);
  }
}

TEST(FormatFileTimeTest, WritesDateAndTimeAsTheLocaleAsks) {
  TRegionalSettings markerFirst = UnitedStates();
  markerFirst.MarkerFirst = true;
  TRegionalSettings separators = French();
  separators.DateSeparator = "-";
  separators.TimeSeparator = ".";
  const struct {
    const char* Name;
    TRegionalSettings Regional;
    int32_t Time;
    const char* Text;
  } cases[] = {
      {"French", French(), Packed(2005, 12, 25, 14, 3, 8), "25/12/2005 14:03:08"},
      {"French midnight", French(), Packed(2005, 12, 25, 0, 0, 0), "25/12/2005"},
      {"French one second", French(), Packed(2005, 1, 2, 0, 0, 2), "02/01/2005 00:00:02"},
      {"odd seconds round down", French(), Packed(2005, 1, 2, 9, 5, 7), "02/01/2005 09:05:06"},
      {"US afternoon", UnitedStates(), Packed(2005, 12, 25, 14, 3, 8), "12/25/2005 2:03:08 PM"},
      {"US noon", UnitedStates(), Packed(2005, 1, 2, 12, 0, 0), "1/2/2005 12:00:00 PM"},
      {"US after midnight", UnitedStates(), Packed(2005, 1, 2, 0, 30, 0), "1/2/2005 12:30:00 AM"},
      {"marker first", markerFirst, Packed(2005, 1, 2, 9, 5, 0), "1/2/2005 AM 9:05:00"},
      {"one-character separators", separators, Packed(2005, 12, 25, 14, 3, 8),
       "25-12-2005 14.03.08"},
      {"no locale format", TRegionalSettings(), Packed(2005, 1, 2, 23, 0, 0), "1/2/05 11:00:00 pm"},
      {"leap day", French(), Packed(2004, 2, 29, 1, 0, 0), "29/02/2004 01:00:00"},
      {"last year", French(), Packed(2107, 12, 31, 23, 59, 58), "31/12/2107 23:59:58"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(FormatFileTime(c.Time, TFormatSettings::FromRegional(c.Regional)), c.Text);
  }
}

TEST(FormatFileTimeTest, RejectsPackedValuesThatAreNoDateOrTime) {
  const TFormatSettings s = TFormatSettings::FromRegional(French());
  const auto raw = [](uint32_t date, uint32_t time) {
    return static_cast<int32_t>(date << 16 | time);
  };
  const uint32_t goodDate = 25 << 9 | 12 << 5 | 25, goodTime = 14 << 11 | 3 << 5 | 4;
  const struct {
    const char* Name;
    int32_t Time;
    const char* Message;
  } cases[] = {
      {"zero", 0, "Argument incorrect pour date encode"},
      {"month 13", raw(25 << 9 | 13 << 5 | 1, goodTime), "Argument incorrect pour date encode"},
      {"day 0", raw(25 << 9 | 1 << 5, goodTime), "Argument incorrect pour date encode"},
      {"31 April", raw(25 << 9 | 4 << 5 | 31, goodTime), "Argument incorrect pour date encode"},
      {"29 February 2005", raw(25 << 9 | 2 << 5 | 29, goodTime),
       "Argument incorrect pour date encode"},
      {"bad date and time", raw(0, 31 << 11), "Argument incorrect pour date encode"},
      {"hour 24", raw(goodDate, 24 << 11), "Argument incorrect pour Time encode"},
      {"minute 60", raw(goodDate, 60 << 5), "Argument incorrect pour Time encode"},
      {"seconds 60", raw(goodDate, 30), "Argument incorrect pour Time encode"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    try {
      FormatFileTime(c.Time, s);
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.Message);
    }
  }
}

TEST(FormatDateTimeTest, NamesQuotesAndMarkers) {
  TFormatSettings s = TFormatSettings::FromRegional(French());
  s.ShortMonthNames[11] = "déc.";
  s.LongMonthNames[11] = "décembre";
  s.ShortDayNames[0] = "dim.";
  s.LongDayNames[0] = "dimanche";
  const TDosDateTime christmas{2005, 12, 25, 14, 3, 8}; // a Sunday
  const struct {
    const char* Pattern;
    const char* Text;
  } cases[] = {
      {"d/m/yy", "25/12/05"},
      {"ddd dddd mmm mmmm", "dim. dimanche déc. décembre"},
      {"yyyy-MM-dd'T'hh:nn", "2005-12-25T14:03"},
      {"\"h\" h 'mm' m", "h 14 mm 3"},
      {"h:m am/pm", "2:3 pm"},
      {"hh A/P", "02 P"},
      {"H:MM:SS AMPM", "2:03:08 pm"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Pattern);
    EXPECT_EQ(FormatDateTime(c.Pattern, christmas, s), c.Text);
  }
}
