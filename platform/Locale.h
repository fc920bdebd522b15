// Locale facts: the decimal separator and date and time formatting.
#pragma once

#include <string>

// The locale's decimal separator ("." or ","), read through the platform so
// that tests can set it.
char16_t LocaleDecimalSeparator();
// For tests: 0 returns to the real locale's separator.
void SetLocaleDecimalSeparator(char16_t separator);

// The locale's short name of a month (1..12), such as "Feb".
std::u16string ShortMonthName(int month);

// Formats a date-time value (whole days since 30 December 1899, the fraction
// being the time of day) with a pattern: d, dd, m, mm, mmm, yy, yyyy, h, hh,
// n, nn, s, ss, z, zz, zzz, am/pm, a/p, and literal text in double or single
// quotes. "m" and "mm" directly after an hour mean minutes. Other characters
// are copied.
std::u16string FormatDateTime(const std::u16string& pattern, double value);
