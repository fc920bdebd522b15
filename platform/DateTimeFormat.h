// Date-time values as text, by a pattern.
#pragma once

#include <string>

// Formats a date-time value (whole days since 30 December 1899, the fraction
// being the time of day) with a pattern: d, dd, m, mm, mmm, yy, yyyy, h, hh,
// n, nn, s, ss, z, zz, zzz, am/pm, a/p, and literal text in double or single
// quotes. "m" and "mm" directly after an hour mean minutes. Other characters
// are copied.
std::u16string FormatDateTime(const std::u16string& pattern, double value);
