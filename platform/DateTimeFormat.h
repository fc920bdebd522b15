// Date-time values of the classic desktop (whole days since 30 December
// 1899, the fraction being the time of day) written with the platform's
// date-time pattern language.
//
// Tokens (letters in either case; a run of the same letter is one token):
//   c              the date in ShortDateFormat, then a blank and the time in
//                  LongTimeFormat unless the time is exactly midnight
//   d, dd          day of month, dd with two digits
//   ddd, dddd      the day's short and long name
//   ddddd          the date in ShortDateFormat; dddddd (and longer runs) in
//                  LongDateFormat
//   m, mm          month, two-digit month; right after an hour token, with
//                  only quoted text or non-letters between, minutes instead
//   mmm, mmmm      the month's short and long name (longer runs as mmmm)
//   y, yy / yyyy   two-digit year / year with at least four digits
//   h, hh          hour; 12-hour clock when the next am/pm, a/p or ampm
//                  marker comes before the next hour token
//   n, nn          minutes          s, ss   seconds
//   z              milliseconds without padding
//   zz             hundredths of a second as two digits (a time label writes
//                  "ss.zz"), truncated, not rounded, so 59.999 stays 59.99
//   zzz            milliseconds as three digits
//   t, tt          the time in ShortTimeFormat, LongTimeFormat
//   am/pm, a/p     the marker, in the letters the pattern gives ("AM/PM" gives
//                  "AM" or "PM", "a/p" gives "a" or "p")
//   ampm           the locale's morning or afternoon text
//   aaa, aaaa      the day's short and long name, as ddd and dddd
//   /              the locale's date separator
//   :              the locale's time separator
// Text in double or single quotes is copied without the quotes; every other
// character is copied as it stands. The formats that c, ddddd, dddddd, t and
// tt bring in are written with the same rules, one level deep.
#pragma once

#include <string>

#include "Locale.h"

// Raises EInvalidArgument for values that are no date (not finite, or beyond
// ten thousand million days). Names, separators and the formats of c, ddddd,
// dddddd, t and tt come from `settings`, or from the system locale.
std::u16string FormatDateTime(const std::u16string& pattern, double value);
std::u16string FormatDateTime(const std::u16string& pattern, double value,
                              const TFormatSettings& settings);
