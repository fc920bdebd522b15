// Stands in for the platform's locale in the fuzz targets, which link no Qt:
// the fuzzer picks the separator for each input, and dates are written with
// English names and formats.
#include "platform/Locale.h"

namespace {
char16_t gSeparator = u'.';
}

char16_t LocaleDecimalSeparator() { return gSeparator; }

void SetLocaleDecimalSeparator(char16_t separator) {
  gSeparator = separator == 0 ? u'.' : separator;
}

TFormatSettings LocaleFormatSettings() {
  TFormatSettings s;
  s.ShortMonthNames = {u"Jan",
                       u"Feb",
                       u"Mar",
                       u"Apr",
                       u"May",
                       u"Jun",
                       u"Jul",
                       u"Aug",
                       u"Sep",
                       u"Oct",
                       u"Nov",
                       u"Dec"};
  s.LongMonthNames = {u"January",
                      u"February",
                      u"March",
                      u"April",
                      u"May",
                      u"June",
                      u"July",
                      u"August",
                      u"September",
                      u"October",
                      u"November",
                      u"December"};
  s.ShortDayNames = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  s.LongDayNames = {
      u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
  s.ShortDateFormat = u"m/d/yyyy";
  s.LongDateFormat = u"dddd, mmmm d, yyyy";
  s.ShortTimeFormat = u"h:nn AM/PM";
  s.LongTimeFormat = u"h:nn:ss AM/PM";
  s.TimeAMString = u"AM";
  s.TimePMString = u"PM";
  return s;
}
