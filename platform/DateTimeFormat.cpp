// FormatDateTime: date-time values of the classic desktop (whole days since
// 30 December 1899, the fraction being the time of day) written with a
// pattern. Pure code apart from the locale's month names.
//
// Tokens (letters in either case; a run of the same letter is one token):
//   d, dd          day of month, dd with two digits (longer runs as dd)
//   m, mm, mmm     month, two-digit month, the locale's short month name
//                  (longer runs as mmm); right after an hour token, with only
//                  quoted text or non-letters between, m and mm are minutes
//   y, yy / yyyy   two-digit year / year with at least four digits
//   h, hh          hour; 12-hour clock when the next am/pm or a/p marker comes
//                  before the next hour token
//   n, nn          minutes          s, ss   seconds
//   z              milliseconds without padding
//   zz             hundredths of a second as two digits (a time label writes
//                  "ss.zz"), truncated, not rounded, so 59.999 stays 59.99
//   zzz            milliseconds as three digits
//   am/pm, a/p     the marker, in the letters the pattern gives ("AM/PM" gives
//                  "AM" or "PM", "a/p" gives "a" or "p")
// Text in double or single quotes is copied without the quotes; every other
// character is copied as it stands.
#include <cmath>
#include <cstdint>

#include "Errors.h"
#include "DateTimeFormat.h"
#include "Locale.h"

namespace {

constexpr int64_t kMsPerDay = 86400000;
constexpr int64_t kDaysFrom1899To1970 = 25569;
// Far beyond any calendar a label shows, but small enough that every
// intermediate value fits 64 bits.
constexpr double kLimitDays = 1e10;

struct DateTimeParts {
  int64_t year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// Proleptic Gregorian date of a day count relative to 1 January 1970.
void civilFromDays(int64_t z, DateTimeParts& parts) {
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

// After an hour token: does an am/pm or a/p marker follow before the next
// hour? The first unquoted 'a' decides, as on the classic desktop.
bool twelveHourClock(const std::u16string& pattern, size_t pos) {
  char16_t quote = 0;
  for (; pos < pattern.size(); ++pos) {
    const char16_t c = pattern[pos];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (isQuote(c)) {
      quote = c;
    } else if (lowerAscii(c) == u'a') {
      return matchesAt(pattern, pos, u"am/pm") || matchesAt(pattern, pos, u"a/p");
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
  PatternWriter(const std::u16string& pattern, const DateTimeParts& parts)
      : FPattern(pattern), FParts(parts) {}

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
    if (!token(lowerAscii(c), int(count), start)) {
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

  void marker() {
    const bool pm = FParts.hour >= 12;
    if (matchesAt(FPattern, FPos, u"am/pm")) {
      FOut.append(FPattern, FPos + (pm ? 3 : 0), 2);
      FPos += 5;
    } else if (matchesAt(FPattern, FPos, u"a/p")) {
      FOut += FPattern[FPos + (pm ? 2 : 0)];
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
      case u'd':
        appendNumber(FOut, FParts.day, two);
        break;
      case u'm':
        if (FAfterHour) {
          appendNumber(FOut, FParts.minute, two);
        } else if (count >= 3) {
          FOut += ShortMonthName(FParts.month);
        } else {
          appendNumber(FOut, FParts.month, two);
        }
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
        if (count == 2) {
          appendNumber(FOut, FParts.millisecond / 10, 2);
        } else {
          appendNumber(FOut, FParts.millisecond, count >= 3 ? 3 : 1);
        }
        break;
      default:
        return false;
    }
    FAfterHour = false;
    return true;
  }

  int hour(size_t after) const {
    if (!twelveHourClock(FPattern, after)) return FParts.hour;
    const int h = FParts.hour % 12;
    return h == 0 ? 12 : h;
  }

  const std::u16string& FPattern;
  const DateTimeParts& FParts;
  std::u16string FOut;
  size_t FPos = 0;
  bool FAfterHour = false;  // the last token was an hour: m means minutes
};

}  // namespace

std::u16string FormatDateTime(const std::u16string& pattern, double value) {
  const DateTimeParts parts = decode(value);
  return PatternWriter(pattern, parts).Run();
}
