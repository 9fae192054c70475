#include "search/DateTimeFormat.h"

#include "base/SysUtils.h"

#include <charconv>
#include <cstring>

namespace {

// The patterns' letters are ASCII; any other byte stands for itself.
char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(const std::string& text, size_t pos, const char* prefix) {
  for (size_t i = 0; prefix[i] != 0; ++i, ++pos)
    if (pos >= text.size() || LowerAscii(text[pos]) != prefix[i]) return false;
  return true;
}

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static const int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : Days[month - 1];
}

// 0 for Sunday.
int DayOfWeek(int year, int month, int day) {
  static const int MonthOffsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) --year;
  return (year + year / 4 - year / 100 + year / 400 + MonthOffsets[month - 1] + day) % 7;
}

// A marker anywhere outside quotes puts the hours on the 12-hour clock.
bool HasMarker(const std::string& pattern) {
  char quote = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (LowerAscii(c) == 'a' &&
               (StartsWithNoCase(pattern, i, "ampm") || StartsWithNoCase(pattern, i, "am/pm") ||
                StartsWithNoCase(pattern, i, "a/p"))) {
      return true;
    }
  }
  return false;
}

class TDateTimeWriter {
public:
  TDateTimeWriter(const std::string& pattern, const TDosDateTime& value,
                  const TFormatSettings& settings)
      : FPattern(pattern), FValue(value), FSettings(settings), FTwelveHour(HasMarker(pattern)) {}

  std::string Write() {
    while (FPos < FPattern.size())
      WriteToken();
    return FText;
  }

private:
  void WriteToken() {
    const char c = FPattern[FPos];
    const char token = LowerAscii(c);
    if (c == '\'' || c == '"') return WriteQuoted(c);
    if (token == 'a') return WriteMarker();
    ++FPos;
    if (c == '/') return FText.push_back(FSettings.DateSeparator);
    if (c == ':') return FText.push_back(FSettings.TimeSeparator);
    if (token == 0 || !std::strchr("dmnyhs", token)) return FText.push_back(c);
    size_t count = 1;
    while (FPos < FPattern.size() && LowerAscii(FPattern[FPos]) == token)
      ++count, ++FPos;
    const char field = token == 'm' && FLastToken == 'h' ? 'n' : token;
    FLastToken = field;
    WriteField(field, count);
  }

  void WriteField(char field, size_t count) {
    switch (field) {
    case 'd': return WriteDay(count);
    case 'm': return WriteMonth(count);
    case 'y': return count <= 2 ? WriteNumber(FValue.Year % 100, 2) : WriteNumber(FValue.Year, 4);
    case 'h': return WriteNumber(Hour(), count);
    case 'n': return WriteNumber(FValue.Minute, count);
    case 's': return WriteNumber(FValue.Second, count);
    }
  }

  void WriteDay(size_t count) {
    const int weekDay = DayOfWeek(FValue.Year, FValue.Month, FValue.Day);
    if (count <= 2) return WriteNumber(FValue.Day, count);
    FText += count == 3 ? FSettings.ShortDayNames[weekDay] : FSettings.LongDayNames[weekDay];
  }

  void WriteMonth(size_t count) {
    if (count <= 2) return WriteNumber(FValue.Month, count);
    const int index = FValue.Month - 1;
    FText += count == 3 ? FSettings.ShortMonthNames[index] : FSettings.LongMonthNames[index];
  }

  // AMPM gives the locale's markers; am/pm and a/p give the half written in the pattern.
  void WriteMarker() {
    const bool afternoon = FValue.Hour >= 12;
    if (StartsWithNoCase(FPattern, FPos, "ampm")) {
      FText += afternoon ? FSettings.TimePMString : FSettings.TimeAMString;
      FPos += 4;
    } else if (StartsWithNoCase(FPattern, FPos, "am/pm")) {
      FText += FPattern.substr(FPos + (afternoon ? 3 : 0), 2);
      FPos += 5;
    } else if (StartsWithNoCase(FPattern, FPos, "a/p")) {
      FText += FPattern[FPos + (afternoon ? 2 : 0)];
      FPos += 3;
    } else {
      FText += FPattern[FPos++];
    }
  }

  void WriteQuoted(char quote) {
    const size_t end = FPattern.find(quote, FPos + 1);
    const size_t stop = end == std::string::npos ? FPattern.size() : end;
    FText.append(FPattern, FPos + 1, stop - FPos - 1);
    FPos = end == std::string::npos ? stop : stop + 1;
  }

  int Hour() const {
    if (!FTwelveHour) return FValue.Hour;
    return FValue.Hour % 12 == 0 ? 12 : FValue.Hour % 12;
  }

  void WriteNumber(int value, size_t digits) {
    char number[12];
    char* const end = std::to_chars(number, number + sizeof number, value).ptr;
    if (digits >= 2 && end - number < 2) FText += '0';
    FText.append(number, static_cast<size_t>(end - number));
  }

  const std::string& FPattern;
  const TDosDateTime& FValue;
  const TFormatSettings& FSettings;
  const bool FTwelveHour;
  size_t FPos = 0;
  char FLastToken = 0;
  std::string FText;
};

char SingleCharOr(const std::string& text, char fallback) {
  return text.size() == 1 ? text[0] : fallback;
}

} // namespace

TFormatSettings TFormatSettings::FromRegional(const TRegionalSettings& regional) {
  TFormatSettings settings;
  if (!regional.ShortDate.empty()) settings.ShortDateFormat = regional.ShortDate;
  const std::string hour = regional.HourLeadingZero ? "hh" : "h";
  if (!regional.TwelveHourClock)
    settings.LongTimeFormat = hour + ":mm:ss";
  else if (regional.MarkerFirst)
    settings.LongTimeFormat = "AMPM " + hour + ":mm:ss";
  else
    settings.LongTimeFormat = hour + ":mm:ss AMPM";
  settings.DateSeparator = SingleCharOr(regional.DateSeparator, '/');
  settings.TimeSeparator = SingleCharOr(regional.TimeSeparator, ':');
  if (!regional.MorningMarker.empty()) settings.TimeAMString = regional.MorningMarker;
  if (!regional.AfternoonMarker.empty()) settings.TimePMString = regional.AfternoonMarker;
  settings.ShortMonthNames = regional.ShortMonthNames;
  settings.LongMonthNames = regional.LongMonthNames;
  settings.ShortDayNames = regional.ShortDayNames;
  settings.LongDayNames = regional.LongDayNames;
  return settings;
}

std::string FormatDateTime(const std::string& pattern, const TDosDateTime& value,
                           const TFormatSettings& settings) {
  return TDateTimeWriter(pattern, value, settings).Write();
}

std::string FormatFileTime(int32_t time, const TFormatSettings& settings) {
  const TDosDateTime value = UnpackDosDateTime(time);
  if (value.Month < 1 || value.Month > 12 || value.Day < 1 ||
      value.Day > DaysInMonth(value.Year, value.Month))
    throw Exception("Argument incorrect pour date encode");
  if (value.Hour > 23 || value.Minute > 59 || value.Second > 59)
    throw Exception("Argument incorrect pour Time encode");
  std::string text = FormatDateTime(settings.ShortDateFormat, value, settings);
  if (value.Hour != 0 || value.Minute != 0 || value.Second != 0)
    text += ' ' + FormatDateTime(settings.LongTimeFormat, value, settings);
  return text;
}
