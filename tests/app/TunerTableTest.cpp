// The tuner view's rows: the line's numbers for a feed point, the tuner's
// verdict, and the classic rule's first current maximum beside physics'.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "app/TunerTable.h"

namespace {

using Z = std::complex<double>;

// The defaults' classic first maximum, 13.3555 m with the constant 886, grows
// with the constant: window line, 983.57 × 0.91 = 895.05 ft·MHz.
constexpr double kClassicWindowLine = 13.355464133637135 * 983.57 * 0.91 / 886.0;

// A feed point whose first current maximum on the line lies at d metres.
Z feedPointWithMaximumAt(const TTransmissionLine& line, double f, double d) {
  const double beta = 2 * std::numbers::pi / LineWavelength(line, f);
  const Z reflection = std::polar(0.5, std::numbers::pi + 2 * beta * d);
  return line.z0 * (1.0 + reflection) / (1.0 - reflection);
}

TEST(TunerTable, TheClassicRuleGivesItsFirstMaximumForTheLinesVelocityFactor) {
  EXPECT_NEAR(*ClassicFirstMaximum(7.1, 85.30, 0.91), kClassicWindowLine, 1e-9);
  EXPECT_FALSE(ClassicFirstMaximum(3.7, 85.30, 0.91));  // 85.3 ft is too short for 3.7 MHz
}

TEST(TunerTable, ARowCarriesTheFeedPointToTheTuner) {
  TTunerSetup setup;  // the defaults: 85.3 ft, window line, 20 m, 100 W, SWR 3
  const TTunerRow row = TunerRow(setup, 7.1, Z(73, 42));
  const TLineEnds ends = ThroughTheLine(setup.line, Z(73, 42), 7.1, 20, 100);
  EXPECT_EQ(row.ends.tunerImpedance, ends.tunerImpedance);
  EXPECT_EQ(row.canMatch, CanMatch(setup.tuner, ends.tunerImpedance));
  EXPECT_NEAR(row.matchedLossDbPer100m, MatchedLossDbPer100m(setup.line, 7.1), 1e-15);
  EXPECT_NEAR(row.lineWavelength, 299.792458 * 0.91 / 7.1, 1e-9);
  ASSERT_TRUE(row.classicMaximum);
  EXPECT_NEAR(*row.classicMaximum, kClassicWindowLine, 1e-9);
}

TEST(TunerTable, TheRuleIsMarkedWhereItLiesMoreThanASixteenthWaveAway) {
  TTunerSetup setup;
  const double f = 7.1, wave = LineWavelength(setup.line, f);
  struct Case {
    double physicsAt;
    bool differs;
  };
  for (const Case& c :
       {Case{kClassicWindowLine, false},
        Case{kClassicWindowLine - wave / 16 + 0.01, false},
        Case{kClassicWindowLine + wave / 16 + 0.01, true},
        Case{0.1, true},
        Case{kClassicWindowLine - wave / 2 + 0.05, false}}) {  // the same maximum a half wave down
    const TTunerRow row = TunerRow(setup, f, feedPointWithMaximumAt(setup.line, f, c.physicsAt));
    EXPECT_NEAR(row.firstCurrentMaximum, std::fmod(c.physicsAt + wave, wave / 2), 1e-9);
    EXPECT_EQ(row.ruleDiffers, c.differs) << c.physicsAt;
  }
}

TEST(TunerTable, BadInputsAreRefused) {
  TTunerSetup setup;
  setup.feederM = -1;
  EXPECT_THROW(TunerRow(setup, 7.1, Z(50, 0)), std::invalid_argument);
  setup.feederM = 20;
  setup.powerW = 0;
  EXPECT_THROW(TunerRow(setup, 7.1, Z(50, 0)), std::invalid_argument);
}

}  // namespace
