// Locale facts: the decimal separator, and the names, separators and formats
// of dates and times.
#pragma once

#include <array>
#include <string>

class QLocale;

// The locale's decimal separator ("." or ","), read through the platform so
// that tests can set it.
char16_t LocaleDecimalSeparator();
// For tests: 0 returns to the real locale's separator.
void SetLocaleDecimalSeparator(char16_t separator);

// The locale's short name of a month (1..12), such as "Feb".
std::u16string ShortMonthName(int month);

// What date-time patterns (DateTimeFormat.h) take from a locale. The four
// formats are patterns of that language.
struct TFormatSettings {
  std::array<std::u16string, 12> ShortMonthNames;  // January first
  std::array<std::u16string, 12> LongMonthNames;
  std::array<std::u16string, 7> ShortDayNames;  // Sunday first
  std::array<std::u16string, 7> LongDayNames;
  char16_t DateSeparator = u'/';
  char16_t TimeSeparator = u':';
  std::u16string ShortDateFormat;
  std::u16string LongDateFormat;
  std::u16string ShortTimeFormat;
  std::u16string LongTimeFormat;
  std::u16string TimeAMString;
  std::u16string TimePMString;
};

// The settings of the system locale, or of any locale Qt knows.
TFormatSettings LocaleFormatSettings();
TFormatSettings FormatSettingsOf(const QLocale& locale);
