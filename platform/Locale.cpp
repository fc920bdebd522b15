#include "Locale.h"

#include <QLocale>

#include "QtBridge.h"

namespace {
char16_t gSeparatorOverride = 0;
}

char16_t LocaleDecimalSeparator() {
  if (gSeparatorOverride != 0) return gSeparatorOverride;
  const QString point = QLocale::system().decimalPoint();
  return point.isEmpty() ? u'.' : char16_t(point.at(0).unicode());
}

void SetLocaleDecimalSeparator(char16_t separator) { gSeparatorOverride = separator; }

std::u16string ShortMonthName(int month) {
  if (month < 1 || month > 12) return {};
  return FromQString(QLocale::system().monthName(month, QLocale::ShortFormat));
}
