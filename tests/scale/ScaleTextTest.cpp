// Tick label texts: number formats, user tick texts and inscriptions.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "controls/scale/PLX_ScaleText.h"
#include "controls/scale/PLX_ScaleTicks.h"

namespace {

// Test names show the case; the texts are ASCII.
std::string ascii(const std::u16string& text) { return std::string(text.begin(), text.end()); }

struct SpecStrfCase {
  double r;
  int decP;
  std::u16string expected;
};

void PrintTo(const SpecStrfCase& c, std::ostream* os) {
  *os << c.r << " dec " << c.decP << " -> '" << ascii(c.expected) << "'";
}

class SpecStrf : public ::testing::TestWithParam<SpecStrfCase> {};

TEST_P(SpecStrf, FormatsTheLabel) {
  const SpecStrfCase& c = GetParam();
  EXPECT_EQ(RCSpecStrf(c.r, 1, c.decP), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    FixedPoint, SpecStrf,
    ::testing::Values(SpecStrfCase{2.5, 2, u"2.50"}, SpecStrfCase{-0.1, 1, u"-0.1"},
                      SpecStrfCase{0.0, 0, u"0"}, SpecStrfCase{0.0, 2, u"0.00"},
                      SpecStrfCase{40.0, 1, u"40.0"}, SpecStrfCase{0.125, 2, u"0.13"},
                      SpecStrfCase{1234.5678, 3, u"1234.568"},
                      SpecStrfCase{-250000.0, 0, u"-250000"},
                      SpecStrfCase{0.30000000000000004, 1, u"0.3"}));

INSTANTIATE_TEST_SUITE_P(ExponentForm, SpecStrf,
                         ::testing::Values(SpecStrfCase{1500000.0, -1, u" 1.5E+06"},
                                           SpecStrfCase{0.00002, -1, u" 2.0E-05"},
                                           SpecStrfCase{-0.00002, -1, u"-2.0E-05"},
                                           SpecStrfCase{500000.0, -1, u" 5.0E+05"},
                                           SpecStrfCase{0.0, -1, u" 0.0E+00"},
                                           // Two significant digits: the carry moves the exponent.
                                           SpecStrfCase{996000.0, -1, u" 1.0E+06"},
                                           SpecStrfCase{1.25e7, -1, u" 1.3E+07"},
                                           SpecStrfCase{9.9e99, -1, u" 9.9E+99"},
                                           // Three-digit exponents do not fit.
                                           SpecStrfCase{1e100, -1, u"********"},
                                           SpecStrfCase{-3e-120, -1, u"********"}));

TEST(SpecStrfWidth, FieldWidthIsOnlyAMinimumForFixedPoint) {
  EXPECT_EQ(RCSpecStrf(1.5, 6, 1), u"   1.5");
  EXPECT_EQ(RCSpecStrf(12345.5, 3, 1), u"12345.5");
}

struct UserTextCase {
  std::u16string text;
  int ix;
  std::u16string expected;
};

void PrintTo(const UserTextCase& c, std::ostream* os) {
  *os << "'" << ascii(c.text) << "' item " << c.ix;
}

class UserText : public ::testing::TestWithParam<UserTextCase> {};

TEST_P(UserText, PicksTheItem) {
  const UserTextCase& c = GetParam();
  EXPECT_EQ(ExtractUserText(c.text, c.ix), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Items, UserText,
    ::testing::Values(UserTextCase{u"low|mid|high", 1, u"low"},
                      UserTextCase{u"low|mid|high", 2, u"mid"},
                      UserTextCase{u"low|mid|high", 3, u"high"},
                      // Beyond the last item: the last item again...
                      UserTextCase{u"low|mid|high", 5, u"high"},
                      // ...which is empty when the text ends with a bar.
                      UserTextCase{u"a|b|", 2, u"b"}, UserTextCase{u"a|b|", 3, u""},
                      UserTextCase{u"a|b|", 7, u""}, UserTextCase{u"", 1, u""},
                      UserTextCase{u"", 4, u""}, UserTextCase{u"single", 3, u"single"},
                      UserTextCase{u"|x", 1, u""}, UserTextCase{u"|x", 2, u"x"},
                      UserTextCase{u"a||c", 2, u""}, UserTextCase{u"a||c", 3, u"c"},
                      // Below the first item: the first.
                      UserTextCase{u"low|mid", 0, u"low"}, UserTextCase{u"low|mid", -2, u"low"}));

struct InscriptionCase {
  std::u16string label;
  std::u16string inscr;
  std::u16string expected;
};

void PrintTo(const InscriptionCase& c, std::ostream* os) {
  *os << "'" << ascii(c.label) << "' in '" << ascii(c.inscr) << "'";
}

class Inscription : public ::testing::TestWithParam<InscriptionCase> {};

TEST_P(Inscription, WrapsTheLabel) {
  const InscriptionCase& c = GetParam();
  EXPECT_EQ(AddScaleInscription(c.label, c.inscr), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Templates, Inscription,
    ::testing::Values(InscriptionCase{u"10", u"$", u"$10"}, InscriptionCase{u"10", u"&%", u"10%"},
                      InscriptionCase{u"10", u"approx. & m", u"approx. 10 m"},
                      InscriptionCase{u"10", u"", u"10"}, InscriptionCase{u"10", u"&", u"10"},
                      // Only the first "&" stands for the label.
                      InscriptionCase{u"10", u"a&b&c", u"a10b&c"},
                      // An empty label gets no inscription.
                      InscriptionCase{u"", u"$", u""}, InscriptionCase{u"", u"&%", u""}));

// --- labels of linear axes ----------------------------------------------------

TTickLabelStyle linearStyle(double lo, double hi, int decPlaces = -2) {
  TTickLabelStyle style;
  style.RangeLow = lo;
  style.RangeHigh = hi;
  style.DecPlaces = decPlaces;
  return style;
}

std::u16string linearLabel(const TTickLabelStyle& style, long double value, int counter = 1) {
  return LinearTickLabel(
      style, CalcM(style.DecPlaces, style.RangeLow, style.RangeHigh), value, counter);
}

TEST(LinearTickLabel, ResidueOfZeroBecomesExactlyZero) {
  const TTickLabelStyle style = linearStyle(0.0, 1.0);
  long double value = -3e-17L;
  EXPECT_EQ(LinearTickLabel(style, 2, value, 1), u"0.00");
  EXPECT_EQ(value, 0.0L);
  EXPECT_FALSE(std::signbit(value)) << "no '-0.00'";

  long double notResidue = -3e-13L;  // 3e-13 of the range is a value
  EXPECT_EQ(LinearTickLabel(style, 2, notResidue, 1), u"-0.00");
  EXPECT_EQ(notResidue, -3e-13L);
}

TEST(LinearTickLabel, ZeroOnWideRangesIsWrittenShort) {
  // 0 .. 200000 has no decimals; 0 .. 2000000 has exponent-form labels.
  EXPECT_EQ(linearLabel(linearStyle(0.0, 200000.0), 0.0L), u"0");
  EXPECT_EQ(linearLabel(linearStyle(0.0, 200000.0), 50000.0L), u"50000");
  EXPECT_EQ(linearLabel(linearStyle(0.0, 2000000.0), 0.0L), u"0.0");
  EXPECT_EQ(linearLabel(linearStyle(0.0, 2000000.0), 500000.0L), u" 5.0E+05");
  EXPECT_EQ(linearLabel(linearStyle(-2000000.0, 0.0), 2e-12L), u"0.0");
  // Up to a width of 100000 the zero is formatted like its neighbours.
  EXPECT_EQ(linearLabel(linearStyle(0.0, 100000.0, 2), 0.0L), u"0.00");
  EXPECT_EQ(linearLabel(linearStyle(0.0, 0.0001), 0.0L), u" 0.0E+00");
}

TEST(LinearTickLabel, CutTo14Characters) {
  EXPECT_EQ(linearLabel(linearStyle(0.0, 1e12, 4), 123456789012.5L), u"123456789012.5");
}

TEST(LinearTickLabel, NoDecimalsBlanksNonIntegerTicks) {
  TTickLabelStyle style = linearStyle(0.0, 2.5, 0);
  EXPECT_EQ(linearLabel(style, 0.5L), u"");
  EXPECT_EQ(linearLabel(style, 1.0L), u"1");
  EXPECT_EQ(linearLabel(style, 2.0000005L), u"2");
  style.ScaleInscript = u"$";
  EXPECT_EQ(linearLabel(style, 1.5L), u"") << "an empty label gets no inscription";
  EXPECT_EQ(linearLabel(style, 2.0L), u"$2");
}

TEST(LinearTickLabel, InscriptionsAndUserTexts) {
  TTickLabelStyle style = linearStyle(0.0, 40.0, 0);
  style.ScaleInscript = u"$";
  EXPECT_EQ(linearLabel(style, 10.0L), u"$10");
  style.ScaleInscript = u"&%";
  EXPECT_EQ(linearLabel(style, 10.0L), u"10%");

  style.LabelType = ftUserText;
  style.UserTickText = u"a|b";
  std::vector<std::u16string> labels;
  for (int counter = 1; counter <= 5; ++counter)
    labels.push_back(linearLabel(style, 0.5L, counter));
  EXPECT_EQ(labels, (std::vector<std::u16string>{u"a", u"b", u"b", u"b", u"b"}));
}

// --- labels of logarithmic axes -------------------------------------------------

struct LogLabelCase {
  int decPlaces;
  double lo, hi;
  double value;
  int multiP;
  std::u16string expected;
};

void PrintTo(const LogLabelCase& c, std::ostream* os) {
  *os << c.value << " on " << c.lo << ".." << c.hi << " dec " << c.decPlaces;
}

class LogLabel : public ::testing::TestWithParam<LogLabelCase> {};

TEST_P(LogLabel, FormatsTheTick) {
  const LogLabelCase& c = GetParam();
  TTickLabelStyle style = linearStyle(c.lo, c.hi, c.decPlaces);
  const int m = CalcLogM(c.decPlaces, c.lo, c.hi);
  EXPECT_EQ(LogTickLabel(style, m, c.value, c.multiP, 1), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, LogLabel,
    ::testing::Values(
        LogLabelCase{-2, 1, 1000, 1, 1, u"1"}, LogLabelCase{-2, 1, 1000, 1000, 1, u"1000"},
        // Automatic decimals lose their trailing zeros.
        LogLabelCase{-2, 0.01, 10, 0.01, 1, u"0.01"}, LogLabelCase{-2, 0.01, 10, 0.05, 5, u"0.05"},
        LogLabelCase{-2, 0.01, 10, 0.1, 1, u"0.1"}, LogLabelCase{-2, 0.01, 10, 1, 1, u"1"},
        LogLabelCase{-2, 0.01, 10, 20, 2, u"20"},
        // ...but not in the exponent form or with fixed decimals.
        LogLabelCase{-2, 1, 1e7, 1e6, 1, u" 1.0E+06"}, LogLabelCase{3, 0.01, 10, 0.5, 5, u"0.500"},
        // Decades by their exponent, the 2 and 5 ticks blank.
        LogLabelCase{-3, 1, 1000, 1000, 1, u"3"}, LogLabelCase{-3, 0.01, 10, 0.01, 1, u"-2"},
        LogLabelCase{-3, 1, 1000, 200, 2, u""}));

TEST(LogTickLabelText, InscriptionsAndUserTextsFollowTheCounter) {
  TTickLabelStyle style = linearStyle(1, 1000);
  style.ScaleInscript = u"& Hz";
  EXPECT_EQ(LogTickLabel(style, 0, 100.0L, 1, 3), u"100 Hz");
  style.LabelType = ftUserText;
  style.UserTickText = u"one|ten|hundred";
  EXPECT_EQ(LogTickLabel(style, 0, 10.0L, 1, 2), u"ten");
  EXPECT_EQ(LogTickLabel(style, 0, 1000.0L, 1, 4), u"hundred");
}

}  // namespace
