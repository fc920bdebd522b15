// The feeder check: nearest current maximum, the change to reach it, the
// voltage-maximum warning, the lines and their constants, and the texts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/FeederCheck.h"
#include "app/FeederEngine.h"
#include "platform/Locale.h"

namespace {

// The defaults of the window: 7.1 MHz, 85.30 ft, 450 ohm.
constexpr double kFreq = 7.1;
constexpr double kDipoleFt = 85.30;
constexpr double kConstant = 886.0;
// The first current maximum of the defaults and the spacing of the maxima.
constexpr double kFirst = 13.355464133637135;
constexpr double kHalfWave = 0.3048 * 886.0 / 2 / 7.1;

struct FeederCheck : ::testing::Test {
  void SetUp() override { SetLocaleDecimalSeparator(u'.'); }
  void TearDown() override { SetLocaleDecimalSeparator(0); }

  static TFeederCheck Check(double feederMetres) {
    return CheckFeeder(kFreq, kDipoleFt, kConstant, feederMetres);
  }
  static std::u16string Metres(double m) { return FormatFixed(m, 2, u'.'); }
};

TEST_F(FeederCheck, TwentyMetresIsCutToTheFirstMaximumWithoutWarning) {
  const TFeederCheck c = Check(20.0);
  ASSERT_TRUE(c.done);
  EXPECT_EQ(Metres(c.wavelength), u"38.04");
  EXPECT_EQ(Metres(c.nearestMaximum), u"13.36");
  EXPECT_EQ(std::u16string(ChangeWord(c.change)), u"cut");
  EXPECT_EQ(Metres(std::abs(c.change)), u"6.64");
  EXPECT_EQ(FeetInchesText(c.change), u"21 ft 9.6 in");
  EXPECT_FALSE(c.nearVoltageMaximum);
}

TEST_F(FeederCheck, TwentyTwoMetresLiesNearTheVoltageMaximum) {
  const TFeederCheck c = Check(22.0);
  ASSERT_TRUE(c.done);
  EXPECT_EQ(std::u16string(ChangeWord(c.change)), u"cut");
  EXPECT_EQ(Metres(std::abs(c.change)), u"8.64");
  EXPECT_TRUE(c.nearVoltageMaximum);
  EXPECT_EQ(Metres(c.voltageMaximum), u"22.86");
  EXPECT_EQ(Metres(c.voltageDistance), u"0.86");
}

TEST_F(FeederCheck, ExactlyOnACurrentMaximumNeedsNoChange) {
  for (int n : {0, 1, 7, 20}) {  // also beyond the eight maxima of the list
    const TFeederCheck c = Check(kFirst + n * kHalfWave);
    EXPECT_NEAR(c.nearestMaximum, kFirst + n * kHalfWave, 1e-9) << n;
    EXPECT_EQ(std::u16string(ChangeWord(c.change)), u"keep") << n;
    EXPECT_FALSE(c.nearVoltageMaximum) << n;
  }
}

TEST_F(FeederCheck, ExactlyOnAVoltageMaximumWarnsAndIsAQuarterWaveFromBothMaxima) {
  const TFeederCheck c = Check(kFirst + kHalfWave / 2);
  EXPECT_TRUE(c.nearVoltageMaximum);
  EXPECT_NEAR(c.voltageDistance, 0, 1e-9);
  EXPECT_NEAR(std::abs(c.change), kHalfWave / 2, 1e-9);
}

TEST_F(FeederCheck, AFeederShorterThanTheFirstMaximumIsLengthened) {
  const TFeederCheck c = Check(5.0);
  EXPECT_EQ(std::u16string(ChangeWord(c.change)), u"add");
  EXPECT_EQ(Metres(c.change), u"8.36");
}

// 2 m lies nearer to the point half a wave before the first maximum (-5.66 m)
// than to the first maximum, but no feeder can be cut to a negative length.
TEST_F(FeederCheck, NoCutBelowZero) {
  for (double feeder : {0.0, 2.0, 4.0}) {
    const TFeederCheck c = Check(feeder);
    EXPECT_EQ(Metres(c.nearestMaximum), u"13.36") << feeder;
    EXPECT_EQ(std::u16string(ChangeWord(c.change)), u"add") << feeder;
  }
  // The voltage maximum a quarter wave before the first current maximum.
  const TFeederCheck c = Check(4.0);
  EXPECT_EQ(Metres(c.voltageMaximum), u"3.85");
  EXPECT_TRUE(c.nearVoltageMaximum);
}

TEST_F(FeederCheck, ATooShortDipoleGivesTheCalculatorsMessage) {
  const TFeederCheck c = CheckFeeder(1.8, kDipoleFt, kConstant, 20.0);
  EXPECT_FALSE(c.done);
  EXPECT_EQ(c.message, TooShortMessage(375.0 / 1.8, u'.'));
  EXPECT_DOUBLE_EQ(c.minimumFeet, 375.0 / 1.8);
  EXPECT_EQ(CheckFeeder(7.1, kDipoleFt, kConstant, 20.0).minimumFeet, 0);
}

TEST_F(FeederCheck, TheWavelengthFollowsTheFeederConstant) {
  const double windowLine = *FeederConstantOf(1, 0);
  const TFeederCheck c = CheckFeeder(kFreq, kDipoleFt, windowLine, 20.0);
  EXPECT_DOUBLE_EQ(c.wavelength, 0.3048 * windowLine / kFreq);
}

struct LineCase {
  int line;
  double otherFactor;
  std::optional<double> constant;
  double shownFactor;
};

TEST_F(FeederCheck, LineConstants) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const LineCase cases[] = {
      {0, 0.7, 886.0, 886.0 / 983.57},  // "450/600": the calculator's constant
      {1, 0.7, 983.57 * 0.91, 0.91},    // window line
      {2, 0.7, 983.57 * 0.97, 0.97},    // open wire
      {3, 0.7, 983.57 * 0.80, 0.80},    // twin lead
      {4, 0.50, 983.57 * 0.50, 0.50},   // custom, at its limits
      {4, 1.00, 983.57, 1.00},
      {4, 0.49, std::nullopt, 0.49},  // and outside them
      {4, 1.01, std::nullopt, 1.01},
      {4, -0.9, std::nullopt, -0.9},
  };
  for (const LineCase& c : cases) {
    EXPECT_EQ(FeederConstantOf(c.line, c.otherFactor), c.constant)
        << c.line << " " << c.otherFactor;
    EXPECT_DOUBLE_EQ(VelocityFactorOf(c.line, c.otherFactor), c.shownFactor) << c.line;
  }
  EXPECT_EQ(FeederConstantOf(4, nan), std::nullopt);
  // The calculator's constants are those of 0.90 and 0.80.
  EXPECT_NEAR(886.0 / FreeSpaceConstant, 0.90, 0.001);
  EXPECT_NEAR(787.0 / FreeSpaceConstant, 0.80, 0.001);
}

TEST_F(FeederCheck, FeetAndInches) {
  const std::pair<double, std::u16string> cases[] = {
      {0.0, u"0 ft 0.0 in"},
      {0.3048, u"1 ft 0.0 in"},
      {0.3, u"0 ft 11.8 in"},
      {0.3047, u"1 ft 0.0 in"},  // 11.996 in rounds up to the next foot
      {-6.644535866362865, u"21 ft 9.6 in"},
      {1e300, std::u16string()},  // checked below: no crash, some text
  };
  for (const auto& [metres, text] : cases) {
    if (text.empty()) {
      EXPECT_FALSE(FeetInchesText(metres).empty());
      continue;
    }
    EXPECT_EQ(FeetInchesText(metres), text) << metres;
  }
}

TEST_F(FeederCheck, ChangeWords) {
  EXPECT_EQ(std::u16string(ChangeWord(0.004)), u"keep");
  EXPECT_EQ(std::u16string(ChangeWord(-0.004)), u"keep");
  EXPECT_EQ(std::u16string(ChangeWord(0.006)), u"add");
  EXPECT_EQ(std::u16string(ChangeWord(-0.006)), u"cut");
}

// The lengths to avoid drawn on the first chart: a zone of 1/16 wavelength
// either side of every voltage maximum from the feeder's start to the one
// beyond the eighth current maximum, the same rule as the check's warning.
TEST_F(FeederCheck, LengthsToAvoidAtTheDefaults) {
  TFeederState state;
  InitFeederState(state, kFreq);
  state.LLWL = kConstant;
  ASSERT_TRUE(CalcSingle(state, kFreq, kDipoleFt).done);
  EXPECT_EQ(Metres(FeederWavelength(state)), u"38.04");
  const std::vector<TAvoidZone> zones = LengthsToAvoid(state);
  ASSERT_EQ(zones.size(), 9u);
  EXPECT_EQ(Metres(zones[0].voltageMaximum), u"3.85");
  EXPECT_EQ(Metres(zones[0].from), u"1.47");
  EXPECT_EQ(Metres(zones[0].to), u"6.22");
  EXPECT_EQ(Metres(zones[1].voltageMaximum), u"22.86");   // the check's 22 m example
  EXPECT_EQ(Metres(zones[8].voltageMaximum), u"155.99");  // beyond 146.48, the eighth
  for (const TAvoidZone& zone : zones) {
    EXPECT_TRUE(Check(zone.from + 1e-9).nearVoltageMaximum) << zone.voltageMaximum;
    EXPECT_TRUE(Check(zone.to - 1e-9).nearVoltageMaximum) << zone.voltageMaximum;
    EXPECT_FALSE(Check(zone.from - 1e-3).nearVoltageMaximum) << zone.voltageMaximum;
    EXPECT_FALSE(Check(zone.to + 1e-3).nearVoltageMaximum) << zone.voltageMaximum;
  }
}

// A first current maximum just beyond a quarter wave puts a voltage maximum
// near the feeder's start: its zone begins at 0, not below.
TEST_F(FeederCheck, LengthsToAvoidStartAtZero) {
  TFeederState state;
  state.freq = kFreq;
  state.LLWL = kConstant;
  for (size_t i = 0; i < state.fedlinm.size(); ++i)
    state.fedlinm[i] = kHalfWave / 2 + 0.1 + i * kHalfWave;
  const std::vector<TAvoidZone> zones = LengthsToAvoid(state);
  ASSERT_EQ(zones.size(), 9u);
  EXPECT_NEAR(zones[0].voltageMaximum, 0.1, 1e-9);
  EXPECT_EQ(zones[0].from, 0.0);
  EXPECT_NEAR(zones[0].to, 0.1 + 2 * kHalfWave / 16, 1e-9);
  // Just below a quarter wave the voltage maximum would lie before the
  // feeder's start: the first zone is then the one after the first maximum.
  for (size_t i = 0; i < state.fedlinm.size(); ++i)
    state.fedlinm[i] = kHalfWave / 2 - 0.1 + i * kHalfWave;
  const std::vector<TAvoidZone> later = LengthsToAvoid(state);
  ASSERT_EQ(later.size(), 8u);
  EXPECT_NEAR(later[0].voltageMaximum, kHalfWave - 0.1, 1e-9);
}

}  // namespace
