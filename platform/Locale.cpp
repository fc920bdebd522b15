#include "Locale.h"

#include <QLocale>
#include <algorithm>

#include "QtText.h"

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

namespace {

// The first character of a Qt pattern that separates its fields: neither a
// letter nor a blank nor quoted.
char16_t separatorIn(const QString& qtPattern, char16_t fallback) {
  bool quoted = false;
  for (const QChar c : qtPattern) {
    if (c == QLatin1Char('\'')) quoted = !quoted;
    if (quoted || c == QLatin1Char('\'') || c.isLetter() || c.isSpace()) continue;
    return char16_t(c.unicode());
  }
  return fallback;
}

// One field of a Qt pattern (a run of `count` letters c) in our language.
QString fieldFromQt(QChar c, qsizetype count) {
  switch (c.unicode()) {
    case u'd':
    case u'y':
      return QString(count, c);
    case u'M':
      return QString(std::min<qsizetype>(count, 4), QLatin1Char('m'));
    case u'h':
    case u'H':
      return QString(std::min<qsizetype>(count, 2), QLatin1Char('h'));
    case u'm':
      return QString(std::min<qsizetype>(count, 2), QLatin1Char('n'));
    case u's':
      return QString(std::min<qsizetype>(count, 2), QLatin1Char('s'));
    case u'z':
      return count >= 3 ? QStringLiteral("zzz") : QStringLiteral("z");
    case u'A':
    case u'a':
      return QStringLiteral("ampm");
    default:  // the time zone and letters Qt does not know: left out
      return {};
  }
}

// A Qt date or time pattern in our pattern language: M becomes m, minutes n,
// the 12-hour marker ampm, quoted text double-quoted.
std::u16string patternFromQt(const QString& qt) {
  QString out;
  for (qsizetype i = 0; i < qt.size();) {
    const QChar c = qt[i];
    if (c == QLatin1Char('\'')) {
      const qsizetype close = qt.indexOf(QLatin1Char('\''), i + 1);
      const qsizetype end = close < 0 ? qt.size() : close;
      // Two quotes in a row stand for one quote.
      out += QLatin1Char('"') + (end == i + 1 ? QStringLiteral("'") : qt.mid(i + 1, end - i - 1)) +
             QLatin1Char('"');
      i = end + 1;
      continue;
    }
    qsizetype count = 1;
    while (i + count < qt.size() && qt[i + count] == c) ++count;
    if (c.isLetter()) {
      // "AP" and "ap" are one marker.
      const bool marker = (c == QLatin1Char('A') || c == QLatin1Char('a')) && i + 1 < qt.size() &&
                          qt[i + 1].toLower() == QLatin1Char('p');
      out += fieldFromQt(c, count);
      i += marker ? 2 : count;
    } else {
      out += QString(count, c);
      i += count;
    }
  }
  return FromQString(out.trimmed());
}

}  // namespace

TFormatSettings FormatSettingsOf(const QLocale& locale) {
  TFormatSettings s;
  for (int m = 1; m <= 12; ++m) {
    s.ShortMonthNames[size_t(m - 1)] = FromQString(locale.monthName(m, QLocale::ShortFormat));
    s.LongMonthNames[size_t(m - 1)] = FromQString(locale.monthName(m, QLocale::LongFormat));
  }
  for (int d = 0; d < 7; ++d) {
    const int qtDay = d == 0 ? 7 : d;  // Qt counts from Monday (1) to Sunday (7)
    s.ShortDayNames[size_t(d)] = FromQString(locale.dayName(qtDay, QLocale::ShortFormat));
    s.LongDayNames[size_t(d)] = FromQString(locale.dayName(qtDay, QLocale::LongFormat));
  }
  const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
  const QString shortTime = locale.timeFormat(QLocale::ShortFormat);
  s.DateSeparator = separatorIn(shortDate, u'/');
  s.TimeSeparator = separatorIn(shortTime, u':');
  s.ShortDateFormat = patternFromQt(shortDate);
  s.LongDateFormat = patternFromQt(locale.dateFormat(QLocale::LongFormat));
  s.ShortTimeFormat = patternFromQt(shortTime);
  s.LongTimeFormat = patternFromQt(locale.timeFormat(QLocale::LongFormat));
  s.TimeAMString = FromQString(locale.amText());
  s.TimePMString = FromQString(locale.pmText());
  return s;
}

TFormatSettings LocaleFormatSettings() { return FormatSettingsOf(QLocale::system()); }
