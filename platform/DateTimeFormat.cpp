// FormatDateTime: the pattern language (DateTimeFormat.h) over the parts of
// a date-time value. Pure code; the locale comes in as TFormatSettings.
#include "DateTimeFormat.h"

#include <cmath>
#include <cstdint>

#include "Errors.h"

namespace {

constexpr int64_t kMsPerDay = 86400000;
constexpr int64_t kDaysFrom1899To1970 = 25569;
// Far beyond any calendar a label shows, but small enough that every
// intermediate value fits 64 bits.
constexpr double kLimitDays = 1e10;
// Patterns that the locale's formats bring in (c, ddddd, t ...) are written
// at the second level; formats they would bring in once more are left out.
constexpr int kMaxPatternLevel = 2;

struct DateTimeParts {
  int64_t year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  int dayOfWeek = 0;  // 0 Sunday .. 6 Saturday
};

// Proleptic Gregorian date of a day count relative to 1 January 1970, a
// Thursday.
void civilFromDays(int64_t z, DateTimeParts& parts) {
  parts.dayOfWeek = int(((z + 4) % 7 + 7) % 7);
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  parts.day = int(doy - (153 * mp + 2) / 5 + 1);
  parts.month = int(mp < 10 ? mp + 3 : mp - 9);
  parts.year = yoe + era * 400 + (parts.month <= 2 ? 1 : 0);
}

// Before 30 December 1899 the whole part is still the day and the fraction's
// magnitude the time of day: -2.25 is 28 December 1899, 06:00.
DateTimeParts decode(double value) {
  if (!std::isfinite(value) || std::fabs(value) > kLimitDays) {
    throw EInvalidArgument("Invalid date and time value");
  }
  const double whole = std::trunc(value);
  int64_t day = int64_t(whole);
  int64_t ms = std::llround(std::fabs(value - whole) * double(kMsPerDay));
  if (ms >= kMsPerDay) {  // rounded up to midnight: the next calendar day
    ms -= kMsPerDay;
    ++day;
  }
  DateTimeParts parts;
  civilFromDays(day - kDaysFrom1899To1970, parts);
  parts.hour = int(ms / 3600000);
  parts.minute = int(ms / 60000 % 60);
  parts.second = int(ms / 1000 % 60);
  parts.millisecond = int(ms % 1000);
  return parts;
}

char16_t lowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; }

bool isAsciiLetter(char16_t c) {
  const char16_t lower = lowerAscii(c);
  return lower >= u'a' && lower <= u'z';
}

// Whether the pattern holds `word` at `pos`, ignoring case.
bool matchesAt(const std::u16string& pattern, size_t pos, std::u16string_view word) {
  if (pos + word.size() > pattern.size()) return false;
  for (size_t k = 0; k < word.size(); ++k) {
    if (lowerAscii(pattern[pos + k]) != word[k]) return false;
  }
  return true;
}

bool isQuote(char16_t c) { return c == u'"' || c == u'\''; }

bool isTwelveHourMarker(const std::u16string& pattern, size_t pos) {
  return matchesAt(pattern, pos, u"am/pm") || matchesAt(pattern, pos, u"a/p") ||
         matchesAt(pattern, pos, u"ampm");
}

// After an hour token: does an am/pm, a/p or ampm marker follow before the
// next hour? The first unquoted 'a' decides, as on the classic desktop.
bool twelveHourClock(const std::u16string& pattern, size_t pos) {
  char16_t quote = 0;
  for (; pos < pattern.size(); ++pos) {
    const char16_t c = pattern[pos];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (isQuote(c)) {
      quote = c;
    } else if (lowerAscii(c) == u'a') {
      return isTwelveHourMarker(pattern, pos);
    } else if (lowerAscii(c) == u'h') {
      return false;
    }
  }
  return false;
}

void appendNumber(std::u16string& out, int64_t value, int minDigits) {
  if (value < 0) {
    out += u'-';
    value = -value;
  }
  std::u16string digits;
  do {
    digits.insert(digits.begin(), char16_t(u'0' + value % 10));
    value /= 10;
  } while (value > 0);
  if (int(digits.size()) < minDigits) out.append(size_t(minDigits) - digits.size(), u'0');
  out += digits;
}

class PatternWriter {
 public:
  PatternWriter(const std::u16string& pattern, const DateTimeParts& parts,
                const TFormatSettings& settings, int level)
      : FPattern(pattern), FParts(parts), FSettings(settings), FLevel(level) {}

  std::u16string Run() {
    while (FPos < FPattern.size()) step();
    return FOut;
  }

 private:
  void step() {
    const char16_t c = FPattern[FPos];
    if (isQuote(c)) return copyQuoted(c);
    if (lowerAscii(c) == u'a') return marker();
    size_t count = 1;
    while (FPos + count < FPattern.size() && lowerAscii(FPattern[FPos + count]) == lowerAscii(c)) {
      ++count;
    }
    const size_t start = FPos;
    FPos += count;
    if (c == u'/' || c == u':') {
      FOut.append(count, c == u'/' ? FSettings.DateSeparator : FSettings.TimeSeparator);
    } else if (!token(lowerAscii(c), int(count), start)) {
      FOut.append(FPattern, start, count);
      if (isAsciiLetter(c)) FAfterHour = false;
    }
  }

  void copyQuoted(char16_t quote) {
    const size_t close = FPattern.find(quote, FPos + 1);
    const size_t end = close == std::u16string::npos ? FPattern.size() : close;
    FOut.append(FPattern, FPos + 1, end - FPos - 1);
    FPos = close == std::u16string::npos ? end : end + 1;
  }

  // am/pm and a/p in the pattern's own letters, ampm in the locale's words;
  // aaa and aaaa name the day; any other 'a' is copied.
  void marker() {
    const bool pm = FParts.hour >= 12;
    if (matchesAt(FPattern, FPos, u"am/pm")) {
      FOut.append(FPattern, FPos + (pm ? 3 : 0), 2);
      FPos += 5;
    } else if (matchesAt(FPattern, FPos, u"a/p")) {
      FOut += FPattern[FPos + (pm ? 2 : 0)];
      FPos += 3;
    } else if (matchesAt(FPattern, FPos, u"ampm")) {
      FOut += pm ? FSettings.TimePMString : FSettings.TimeAMString;
      FPos += 4;
    } else if (matchesAt(FPattern, FPos, u"aaaa")) {
      FOut += FSettings.LongDayNames[size_t(FParts.dayOfWeek)];
      FPos += 4;
    } else if (matchesAt(FPattern, FPos, u"aaa")) {
      FOut += FSettings.ShortDayNames[size_t(FParts.dayOfWeek)];
      FPos += 3;
    } else {
      FOut += FPattern[FPos++];
    }
    FAfterHour = false;
  }

  // Writes the field of a token; false when the letter is none.
  bool token(char16_t letter, int count, size_t start) {
    const int two = count >= 2 ? 2 : 1;
    switch (letter) {
      case u'c':
        dateAndTime();
        break;
      case u'd':
        day(count);
        break;
      case u'm':
        month(count);
        break;
      case u'y':
        if (count <= 2) {
          appendNumber(FOut, (FParts.year % 100 + 100) % 100, 2);
        } else {
          appendNumber(FOut, FParts.year, 4);
        }
        break;
      case u'h':
        appendNumber(FOut, hour(start + size_t(count)), two);
        FAfterHour = true;
        return true;
      case u'n':
        appendNumber(FOut, FParts.minute, two);
        break;
      case u's':
        appendNumber(FOut, FParts.second, two);
        break;
      case u'z':
        milliseconds(count);
        break;
      case u't':
        nested(count == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat);
        break;
      default:
        return false;
    }
    FAfterHour = false;
    return true;
  }

  // The date, and the time unless it is exactly midnight.
  void dateAndTime() {
    nested(FSettings.ShortDateFormat);
    if (FParts.hour != 0 || FParts.minute != 0 || FParts.second != 0) {
      FOut += u' ';
      nested(FSettings.LongTimeFormat);
    }
  }

  void day(int count) {
    if (count <= 2) {
      appendNumber(FOut, FParts.day, count);
    } else if (count == 3) {
      FOut += FSettings.ShortDayNames[size_t(FParts.dayOfWeek)];
    } else if (count == 4) {
      FOut += FSettings.LongDayNames[size_t(FParts.dayOfWeek)];
    } else {
      nested(count == 5 ? FSettings.ShortDateFormat : FSettings.LongDateFormat);
    }
  }

  void month(int count) {
    if (FAfterHour) {
      appendNumber(FOut, FParts.minute, count >= 2 ? 2 : 1);
    } else if (count <= 2) {
      appendNumber(FOut, FParts.month, count);
    } else if (count == 3) {
      FOut += FSettings.ShortMonthNames[size_t(FParts.month - 1)];
    } else {
      FOut += FSettings.LongMonthNames[size_t(FParts.month - 1)];
    }
  }

  void milliseconds(int count) {
    if (count == 2) {
      appendNumber(FOut, FParts.millisecond / 10, 2);
    } else {
      appendNumber(FOut, FParts.millisecond, count >= 3 ? 3 : 1);
    }
  }

  void nested(const std::u16string& pattern) {
    if (FLevel >= kMaxPatternLevel) return;
    FOut += PatternWriter(pattern, FParts, FSettings, FLevel + 1).Run();
  }

  int hour(size_t after) const {
    if (!twelveHourClock(FPattern, after)) return FParts.hour;
    const int h = FParts.hour % 12;
    return h == 0 ? 12 : h;
  }

  const std::u16string& FPattern;
  const DateTimeParts& FParts;
  const TFormatSettings& FSettings;
  const int FLevel;
  std::u16string FOut;
  size_t FPos = 0;
  bool FAfterHour = false;  // the last token was an hour: m means minutes
};

}  // namespace

std::u16string FormatDateTime(const std::u16string& pattern, double value,
                              const TFormatSettings& settings) {
  const DateTimeParts parts = decode(value);
  return PatternWriter(pattern, parts, settings, 1).Run();
}

std::u16string FormatDateTime(const std::u16string& pattern, double value) {
  return FormatDateTime(pattern, value, LocaleFormatSettings());
}
