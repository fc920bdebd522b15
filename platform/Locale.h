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

