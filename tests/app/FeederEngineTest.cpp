// The feeder calculation, its messages, list lines, marks and the reference
// curve.
#include <gtest/gtest.h>

#include <cmath>

#include "app/FeederEngine.h"
#include "platform/Errors.h"
#include "platform/Locale.h"

namespace {

using Lines = std::vector<std::u16string>;

struct FeederEngine : ::testing::Test {
  TFeederState state;
  void SetUp() override {
    SetLocaleDecimalSeparator(u'.');
    InitFeederState(state, 7.1);
  }
  void TearDown() override { SetLocaleDecimalSeparator(0); }
};

TEST_F(FeederEngine, InitialStateForTheLayoutFrequency) {
  EXPECT_DOUBLE_EQ(state.freq, 7.1);
  EXPECT_NEAR(state.length, 52.8169, 1e-4);
  EXPECT_EQ(state.LLWL, 886.0);
  EXPECT_EQ(state.dipWl, 0.0);
}

TEST_F(FeederEngine, DefaultsGiveTheDocumentedList) {
  ASSERT_TRUE(CalcSingle(state, 7.1, 85.30).done);
  EXPECT_NEAR(state.dipWl, 0.647041, 1e-6);
  EXPECT_NEAR(state.fedlinwl, 0.351131, 1e-6);
  EXPECT_EQ(
      FeederListLines(state),
      (Lines{u"13.36", u"32.37", u"51.39", u"70.41", u"89.43", u"108.44", u"127.46", u"146.48"}));
  for (int i = 1; i < 8; ++i) {
    EXPECT_NEAR(state.fedlinft[i] - state.fedlinft[i - 1], 886.0 / 2 / 7.1, 1e-9);
    EXPECT_DOUBLE_EQ(state.fedlinm[i], 0.3048 * state.fedlinft[i]);
  }
}

TEST_F(FeederEngine, FeederChoices) {
  SelectFeederConstant(state, 0);
  ASSERT_TRUE(CalcSingle(state, 7.1, 85.30).done);
  EXPECT_EQ(
      FeederListLines(state),
      (Lines{u"11.86", u"28.76", u"45.65", u"62.54", u"79.43", u"96.33", u"113.22", u"130.11"}));
  SelectFeederConstant(state, 2);  // 600 ohm: the 450 ohm constant
  EXPECT_EQ(state.LLWL, 886.0);
  SelectFeederConstant(state, 0);
  SelectFeederConstant(state, -1);  // no choice: unchanged
  EXPECT_EQ(state.LLWL, 787.0);
}

TEST_F(FeederEngine, ListUsesTheLocaleSeparator) {
  SetLocaleDecimalSeparator(u',');
  ASSERT_TRUE(CalcSingle(state, 7.1, 85.30).done);
  EXPECT_EQ(FeederListLines(state)[0], u"13,36");
}

struct BandCase {
  double frequency;
  bool done;
  const char16_t* firstOrMinimum;
};

TEST_F(FeederEngine, AllTenBandsWithTheDefaultDipole) {
  const BandCase cases[] = {{1.8, false, u"208.3"},
                            {3.7, false, u"101.4"},
                            {5.35, true, u"1.18"},
                            {7.1, true, u"13.36"},
                            {28.5, true, u"3.62"}};
  for (const BandCase& c : cases) {
    const TCalcResult r = CalcSingle(state, c.frequency, 85.30);
    ASSERT_EQ(r.done, c.done) << c.frequency;
    if (c.done) {
      EXPECT_EQ(FeederListLines(state)[0], c.firstOrMinimum) << c.frequency;
    } else {
      EXPECT_EQ(r.message,
                std::u16string(u"Dipole length is too short for this frequency, it needs to be "
                               u"longer than: ") +
                    c.firstOrMinimum +
                    u"ft. Please unselect the lowest frequency in the Band Select box!");
    }
  }
  CalcSingle(state, 5.35, 85.30);
  EXPECT_NEAR(state.dipWl, 1.487559, 1e-6);
}

TEST_F(FeederEngine, BandPresetsMatchTheirHeaders) {
  ASSERT_EQ(BandPresets.size(), 10u);
  EXPECT_EQ(BandPresets[0].frequency, 1.8);
  EXPECT_EQ(std::u16string(BandPresets[4].header), u"Current maxima for 10.13 MHz");
  EXPECT_EQ(BandPresets[9].frequency, 28.5);
}

TEST_F(FeederEngine, NormalisedLengthOfExactlyOneAndAHalfBecomesOneHalf) {
  ASSERT_TRUE(CalcSingle(state, 4.0, 351.0).done);
  EXPECT_DOUBLE_EQ(state.dipWl, 0.5);
  EXPECT_NEAR(state.fedlinwl, 0.500380, 1e-6);
  EXPECT_EQ(FeederListLines(state)[0], u"33.78");
}

// Normalising by repeated subtraction, as the rule states it; for lengths
// where that loop still ends.
double NormalisedBySubtraction(double wl) {
  if (wl < 0.5) wl += 1.0;
  while (wl >= 1.5) wl -= 1.0;
  return wl;
}

TEST_F(FeederEngine, NormalisationMatchesRepeatedSubtractionToTheLastBit) {
  const double dipoles[] = {85.30, 351.0, 1000.0, 12345.678, 3.3e5, 1.0 / 3.0 * 1e6};
  const double frequencies[] = {1.8, 4.0, 7.1, 28.5, 144.3, 999.999};
  for (double f : frequencies) {
    for (double feet : dipoles) {
      if (!CalcSingle(state, f, feet).done) continue;
      EXPECT_EQ(state.dipWl, NormalisedBySubtraction(feet / (936.0 / f))) << f << " " << feet;
    }
  }
}

TEST_F(FeederEngine, HugeFrequenciesAnswerAtOnce) {
  // Beyond 2^53 subtracting 1.0 changes nothing: every length there is whole.
  for (double f : {1e10, 1e17, 1e300, 1.7e308}) {
    ASSERT_TRUE(CalcSingle(state, f, 85.30).done) << f;
    EXPECT_GE(state.dipWl, 0.5) << f;
    EXPECT_LT(state.dipWl, 1.5) << f;
  }
  CalcSingle(state, 1e17, 85.30);
  EXPECT_EQ(state.dipWl, 1.0);
  EXPECT_EQ(state.fedlinwl, 0.25);
}

TEST_F(FeederEngine, InfiniteFrequenciesDivideByZero) {
  for (double f : {HUGE_VAL, -HUGE_VAL}) {
    EXPECT_THROW(CalcSingle(state, f, 85.30), EZeroDivide) << f;
  }
}

TEST_F(FeederEngine, AnOverflowingLengthRaisesTheOverflowError) {
  try {
    CalcSingle(state, 1000.0, 1.7e308);
    FAIL() << "no error";
  } catch (const EOverflow& e) {
    EXPECT_STREQ(e.what(), "Floating point overflow");
  }
}

TEST_F(FeederEngine, ADipoleOfExactlyTheMinimumIsAccepted) {
  EXPECT_TRUE(CalcSingle(state, 7.5, 50.0).done);
  EXPECT_FALSE(CalcSingle(state, 7.5, std::nextafter(50.0, 0.0)).done);
}

TEST_F(FeederEngine, TooShortLeavesTheArraysZero) {
  ASSERT_TRUE(CalcSingle(state, 7.1, 85.30).done);
  const double dipWl = state.dipWl;
  ASSERT_FALSE(CalcSingle(state, 1.8, 85.30).done);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(state.fedlinft[i], 0.0);
    EXPECT_EQ(state.fedlinm[i], 0.0);
  }
  EXPECT_EQ(state.freq, 1.8);
  EXPECT_NEAR(state.length, 208.333, 1e-3);
  EXPECT_EQ(state.dipWl, dipWl);
}

TEST_F(FeederEngine, FrequencyZeroRaisesAfterZeroingTheArrays) {
  ASSERT_TRUE(CalcSingle(state, 7.1, 85.30).done);
  try {
    CalcSingle(state, 0.0, 85.30);
    FAIL() << "no error";
  } catch (const EZeroDivide& e) {
    EXPECT_STREQ(e.what(), "Floating point division by zero");
  }
  EXPECT_EQ(state.fedlinm[3], 0.0);
}

TEST_F(FeederEngine, NegativeFrequencyPassesTheLengthCheck) {
  EXPECT_TRUE(CalcSingle(state, -7.1, 85.30).done);
}

TEST_F(FeederEngine, MarksAreTheMetresAtTheFrequency) {
  ASSERT_TRUE(CalcSingle(state, 7.1, 85.30).done);
  const auto marks = FeederMarks(state, 7.1);
  ASSERT_EQ(marks.size(), 8u);
  EXPECT_EQ(marks[7].x, state.fedlinm[7]);
  EXPECT_EQ(marks[7].y, 7.1);
  EXPECT_EQ(FeederMarkKind, 24);
  EXPECT_EQ(FeederMarkColor, 0x00FFFF);
}

TEST_F(FeederEngine, DipoleSteps) {
  EXPECT_DOUBLE_EQ(StepDipole(26.0, 0.1, TStepDirection::Increase), 26.1);
  EXPECT_DOUBLE_EQ(StepDipole(26.0, 0.1, TStepDirection::Decrease), 25.9);
}

TEST(ReferenceCurve, ThreeStretchesInDrawingOrder) {
  const auto curve = BuildReferenceCurve();
  ASSERT_EQ(curve.size(), 1u + 26 + 1 + 101 + 101);
  EXPECT_TRUE(curve[0].moveTo);
  EXPECT_EQ(curve[0].x, 0.25);
  EXPECT_EQ(curve[0].y, 0.0);
  EXPECT_FALSE(curve[1].moveTo);
  EXPECT_NEAR(curve[1].y, 0.1879, 1e-4);
  EXPECT_NEAR(curve[26].x, 0.50, 1e-12);
  EXPECT_NEAR(curve[26].y, -0.0150, 1e-4);
  EXPECT_TRUE(curve[27].moveTo);
  EXPECT_EQ(curve[27].x, 0.5);
  EXPECT_NEAR(curve[28].y, 0.5004, 1e-4);
  EXPECT_NEAR(curve[78].y, 0.25, 1e-12);  // d = 1.00
  EXPECT_NEAR(curve[128].y, -0.0004, 1e-4);
  EXPECT_FALSE(curve[129].moveTo);  // joins step 4's end by a vertical line
  EXPECT_NEAR(curve[129].x, 1.5, 1e-12);
  EXPECT_NEAR(curve[129].y, 0.5004, 1e-4);
  EXPECT_NEAR(curve.back().x, 2.5, 1e-12);
}

}  // namespace
