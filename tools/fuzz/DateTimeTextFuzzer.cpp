// Coverage-guided fuzz target for the texts and ticks of time and date axes:
// TimeString, FormatDateTimePLX, FormatDateStr and the tick engine, with any
// value (NaN, infinities, +-1e300, dates outside the years 1..9999) and any
// pattern. Besides running everything under ASan/UBSan it checks:
//   - only EInvalidArgument escapes, and only for values that cannot be
//     written (not finite, or far beyond any calendar);
//   - TimeString: its shape, and that it reads back as the time rounded to
//     whole milliseconds (or truncated to seconds);
//   - FormatDateTimePLX: a full date and time reads back as the value, within
//     half a millisecond, before and after 30 December 1899;
//   - FormatDateStr: the day, month and year of the value, in the asked
//     order, joined by the separator;
//   - the tick engine: ticks stay inside the range, ascend in its direction,
//     are bounded in number, and major ticks carry their labels.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "controls/scale/PLX_Scale.h"
#include "controls/scale/PLX_ScaleCalendar.h"
#include "controls/scale/PLX_ScaleDateTicks.h"
#include "platform/Errors.h"
#include "tools/fuzz/FuzzText.h"

namespace {

[[noreturn]] void fail(const char* what, const std::u16string& text, double value) {
  std::fprintf(stderr,
               "PROPERTY FAILED: %s\n  text '%s'\n  value %.17g\n",
               what,
               printable(text).c_str(),
               value);
  std::abort();
}

#define EXPECT(cond, what, text, value)   \
  do {                                    \
    if (!(cond)) fail(what, text, value); \
  } while (0)

// The platform writes no value beyond this many days; the scale's texts stay
// well inside it.
constexpr double kWritableDays = 1e9;
constexpr double kFirstDay = -693593;
constexpr double kDayAfter9999 = 2958466;
constexpr double kMsPerDay = 86400000;

// ---- inputs ----

double consumeValue(FuzzedDataProvider& fdp) {
  switch (fdp.ConsumeIntegralInRange(0, 5)) {
    case 0: {  // any bit pattern: NaN, infinities, denormals, 1e300
      const uint64_t bits = fdp.ConsumeIntegral<uint64_t>();
      double d;
      std::memcpy(&d, &bits, sizeof d);
      return d;
    }
    case 1: {  // anchors and their neighbours
      static const double anchors[] = {0,
                                       1e-8,
                                       1,
                                       -1,
                                       -1.75,
                                       kFirstDay,
                                       kDayAfter9999,
                                       3000000,
                                       1e10,
                                       1e300,
                                       5430.25,
                                       86400,
                                       3600,
                                       1e15,
                                       42050};
      double v = anchors[fdp.ConsumeIntegralInRange<size_t>(0, std::size(anchors) - 1)];
      const int steps = fdp.ConsumeIntegralInRange(-4, 4);
      for (int k = 0; k < std::abs(steps); ++k) v = std::nextafter(v, steps < 0 ? -1e308 : 1e308);
      return fdp.ConsumeBool() ? -v : v;
    }
    case 2:  // any date of the years 1..9999, and a little beyond
      return fdp.ConsumeFloatingPointInRange<double>(kFirstDay - 1000, 3000000 + 1000);
    case 3: {  // whole milliseconds of a day, and a hair off them
      const double day = double(fdp.ConsumeIntegralInRange<int32_t>(-800000, 3100000));
      const double ms = double(fdp.ConsumeIntegralInRange<int32_t>(0, int32_t(kMsPerDay)));
      const double hair = double(fdp.ConsumeIntegralInRange(-3, 3)) * 1e-12;
      return day + ms / kMsPerDay + hair;
    }
    case 4:  // years far outside 1..9999
      return fdp.ConsumeFloatingPointInRange<double>(-2e9, 2e9);
    default:
      return fdp.ConsumeFloatingPoint<double>();
  }
}

// Printable bytes stand for themselves (so the dictionary's tokens work);
// the others mostly for the letters and quotes of the pattern language, the
// top of the byte range for characters beyond Latin-1, surrogates included.
std::u16string consumePattern(FuzzedDataProvider& fdp) {
  static const char16_t alphabet[] = u"dmyhnszaDMYHNSZAmpMP/\"' .:-h";
  const std::string bytes = fdp.ConsumeBytesAsString(fdp.ConsumeIntegralInRange<size_t>(0, 40));
  std::u16string pattern;
  for (const char b : bytes) {
    const auto u = static_cast<unsigned char>(b);
    if (u >= 0x20 && u < 0x7F) {
      pattern += char16_t(u);
    } else if (u < 0xE0) {
      pattern += alphabet[u % (std::size(alphabet) - 1)];
    } else {
      pattern += char16_t(0xD700 + (u - 0xE0) * 97);
    }
  }
  return pattern;
}

// ---- TimeString ----

// Digits from text[pos] on, at least minDigits of them; false if fewer.
bool readNumber(const std::u16string& text, size_t& pos, size_t minDigits, long double& value) {
  const size_t start = pos;
  value = 0;
  while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9') {
    value = value * 10 + (text[pos] - u'0');
    ++pos;
  }
  return pos - start >= minDigits;
}

void checkTimeString(double t, bool msec) {
  std::u16string text;
  try {
    text = TimeString(t, msec);
  } catch (const EInvalidArgument&) {
    EXPECT(!std::isfinite(t), "TimeString refused a finite time", text, t);
    return;
  }
  EXPECT(std::isfinite(t), "TimeString wrote a non-finite time", text, t);
  EXPECT(!text.empty() && text[0] == (t >= 0 ? u' ' : u'-'), "TimeString: sign", text, t);
  size_t pos = 1;
  long double h = 0, m = 0, s = 0, ms = 0;
  bool shaped = readNumber(text, pos, 2, h) && pos < text.size() && text[pos++] == u':' &&
                readNumber(text, pos, 2, m) && pos - 3 < text.size() && text[pos - 3] == u':' &&
                pos < text.size() && text[pos++] == u':' && readNumber(text, pos, 2, s);
  if (shaped && msec) {
    shaped = pos < text.size() && text[pos++] == u'.' && readNumber(text, pos, 3, ms);
  }
  EXPECT(shaped && pos == text.size(), "TimeString: shape", text, t);
  EXPECT(m < 60 && s < 60 && ms < 1000, "TimeString: field out of range", text, t);
  const long double magnitude = std::fabs(static_cast<long double>(t)) * 1000;
  if (magnitude > 1e15L) return;  // the hours no longer carry every millisecond
  const long double written = ((h * 60 + m) * 60 + s) * 1000 + ms;
  if (msec) {
    EXPECT(std::fabs(written - magnitude) <= 0.5L + 1e-6L,
           "TimeString: not the rounded time",
           text,
           t);
  } else {
    EXPECT(magnitude - written > -0.5L - 1e-6L && magnitude - written < 1000.5L,
           "TimeString: not the time in whole seconds",
           text,
           t);
  }
}

// ---- FormatDateTimePLX ----

bool writable(double v) { return std::isfinite(v) && std::fabs(v) <= kWritableDays; }

// Formats, or returns false when the value was refused; a refusal of a value
// that can be written fails.
bool format(const std::u16string& pattern, double v, std::u16string& out) {
  try {
    out = FormatDateTimePLX(pattern, v);
    return true;
  } catch (const EInvalidArgument&) {
    EXPECT(!writable(v), "FormatDateTimePLX refused a writable value", pattern, v);
    return false;
  }
}

void checkReadsBack(double v) {
  std::u16string text;
  if (!format(u"yyyy/mm/dd hh:nn:ss.zzz", v, text)) return;
  if (!(v >= kFirstDay && v < kDayAfter9999)) return;
  size_t pos = 0;
  long double y, mo, d, h, n, s, z;
  const bool shaped =
      readNumber(text, pos, 4, y) && text[pos++] == u'/' && readNumber(text, pos, 2, mo) &&
      text[pos++] == u'/' && readNumber(text, pos, 2, d) && text[pos++] == u' ' &&
      readNumber(text, pos, 2, h) && text[pos++] == u':' && readNumber(text, pos, 2, n) &&
      text[pos++] == u':' && readNumber(text, pos, 2, s) && text[pos++] == u'.' &&
      readNumber(text, pos, 3, z) && pos == text.size();
  EXPECT(shaped, "FormatDateTimePLX: shape of a full date", text, v);
  const long double day = DayOfDate(int64_t(y), int(mo), int(d));
  const long double ms = ((h * 60 + n) * 60 + s) * 1000 + z;
  const long double back = day + ms / kMsPerDay;
  // Half a millisecond of rounding, the rounding of the value itself, and
  // values within 1e-8 of 0 written as 0.
  const long double slack = std::fabs(v) < 1e-8 ? 1.01e-8L : 0.5L / kMsPerDay + 1e-9L;
  EXPECT(
      std::fabs(back - v) <= slack, "FormatDateTimePLX does not read back as the value", text, v);
}

// ---- FormatDateStr ----

void checkDateStr(double v, TYearLength year, TDateOrder order, char16_t separator) {
  std::u16string text;
  try {
    text = FormatDateStr(v, false, year, order, separator);
  } catch (const EInvalidArgument&) {
    EXPECT(!writable(v), "FormatDateStr refused a writable value", text, v);
    return;
  }
  if (!(v >= kFirstDay && v < kDayAfter9999)) return;
  if (separator >= u'0' && separator <= u'9') return;
  const TCalendarDate date = DateOfValue(std::fabs(v) < 1e-8 ? 0 : v);  // near 0 is 0
  const auto two = [](int64_t n) {
    return std::u16string{char16_t(u'0' + n / 10 % 10), char16_t(u'0' + n % 10)};
  };
  const std::u16string dd = two(date.Day);
  const std::u16string mm = two(date.Month);
  std::u16string yy;
  if (year == ylYY) yy = two(date.Year % 100);
  if (year == ylYYYY) {
    const std::string digits = std::to_string(date.Year);  // 10000 after rounding
    yy = std::u16string(4 - std::min<size_t>(digits.size(), 4), u'0') +
         std::u16string(digits.begin(), digits.end());
  }
  const std::u16string s(1, separator);
  std::u16string expected;
  if (yy.empty()) {
    expected = order == doDDMMYY ? dd + s + mm : mm + s + dd;
  } else if (order == doMMDDYY) {
    expected = mm + s + dd + s + yy;
  } else if (order == doDDMMYY) {
    expected = dd + s + mm + s + yy;
  } else {
    expected = yy + s + mm + s + dd;
  }
  EXPECT(text == expected, "FormatDateStr: parts or order", text, v);
}

// ---- tick engine ----

void checkTicks(const TDateTimeTicks& ticks, long double low, long double high, bool time) {
  EXPECT(ticks.Ticks.size() <= 2000, "tick engine: too many ticks", u"", double(low));
  if (ticks.Outcome != aoTicks) {
    EXPECT(ticks.Ticks.empty(), "tick engine: ticks with a message", u"", double(low));
    return;
  }
  const long double lo = std::fmin(low, high);
  const long double hi = std::fmax(low, high);
  const long double slack = time ? (hi - lo) * 1e-3L + std::fabs(hi) * 1e-9L : 1e-8L;
  for (const TDateTimeTick& tick : ticks.Ticks) {
    EXPECT(tick.Value >= lo - slack && tick.Value <= hi + slack,
           "tick engine: tick outside",
           tick.Label,
           double(tick.Value));
    EXPECT(tick.Major || tick.Label.empty(),
           "tick engine: label on a minor tick",
           tick.Label,
           double(tick.Value));
    EXPECT(time || tick.Recorded,
           "tick engine: date tick not recorded",
           tick.Label,
           double(tick.Value));
  }
}

void checkEngine(FuzzedDataProvider& fdp, double a, double b) {
  TDateTimeRequest request;
  request.MinTicks = fdp.ConsumeIntegralInRange(0, 10);
  request.RangeLow = a;
  request.RangeHigh = fdp.ConsumeBool() ? b : a + fdp.ConsumeFloatingPointInRange(-1e4, 1e4);
  request.ShortTicks = fdp.ConsumeBool();
  request.Horizontal = fdp.ConsumeBool();
  checkTicks(TimeAxisTicks(request), request.RangeLow, request.RangeHigh, true);
  TDTLabel format;
  format.SetTimeFormat(TTimeFormat(fdp.ConsumeIntegralInRange(0, 2)));
  format.SetYearLength(TYearLength(fdp.ConsumeIntegralInRange(0, 2)));
  format.SetDateOrder(TDateOrder(fdp.ConsumeIntegralInRange(0, 2)));
  format.SetDateForTime(TDateForTime(fdp.ConsumeIntegralInRange(0, 3)));
  format.SetMonthName(fdp.ConsumeBool());
  // The axis's range as days: values of the time axis scaled to dates too.
  if (fdp.ConsumeBool()) {
    request.RangeLow /= 86400;
    request.RangeHigh /= 86400;
  }
  checkTicks(DateTimeAxisTicks(request, format, LocaleFormatSettings()),
             request.RangeLow,
             request.RangeHigh,
             false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider fdp(data, size);
  const double a = consumeValue(fdp);
  const double b = consumeValue(fdp);
  const bool msec = fdp.ConsumeBool();
  const auto year = TYearLength(fdp.ConsumeIntegralInRange(0, 2));
  const auto order = TDateOrder(fdp.ConsumeIntegralInRange(0, 2));
  const auto separator = char16_t(fdp.ConsumeIntegral<uint16_t>());
  const bool monthName = fdp.ConsumeBool();

  checkTimeString(a, msec);
  checkReadsBack(a);
  checkDateStr(a, year, order, separator);
  std::u16string ignored;
  try {
    ignored = FormatDateStr(b, monthName, year, order, separator);
  } catch (const EInvalidArgument&) {
    EXPECT(!writable(b), "FormatDateStr refused a writable value", ignored, b);
  }
  checkEngine(fdp, a, b);
  format(consumePattern(fdp), fdp.ConsumeBool() ? a : b, ignored);
  return 0;
}
