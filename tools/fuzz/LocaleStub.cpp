// Stands in for the platform's locale in the fuzz targets, which link no Qt:
// the fuzzer picks the separator for each input, and the month names are the
// English ones.
#include <iterator>

#include "platform/Locale.h"

namespace {
char16_t gSeparator = u'.';
}

char16_t LocaleDecimalSeparator() { return gSeparator; }

void SetLocaleDecimalSeparator(char16_t separator) {
  gSeparator = separator == 0 ? u'.' : separator;
}

std::u16string ShortMonthName(int month) {
  static const char16_t* const names[] = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                          u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
  if (month < 1 || month > int(std::size(names))) return {};
  return names[month - 1];
}
