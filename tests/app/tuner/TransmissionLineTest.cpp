// The physical line: its matched loss against check values worked out by hand,
// and exact line theory against closed-form cases.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "app/tuner/TransmissionLine.h"

namespace {

using Z = std::complex<double>;

// A line without loss: a measured loss of 0 dB.
TTransmissionLine lossless(double z0) { return {z0, 0.9, 1e-3, TMeasuredLoss{0, 1}}; }

TEST(TransmissionLine, MatchedLossOfCopperWiresMatchesTheCheckValues) {
  // Rs = sqrt(π f µ0 / σ), R = 2 Rs / (π d) · x / sqrt(x² - 1), x = cosh(Z0 / (120 VF)), α = R / (2
  // Z0).
  EXPECT_NEAR(MatchedLossDbPer100m({600, 0.97, 2.0e-3, std::nullopt}, 3.6), 0.1141, 5e-5);
  EXPECT_NEAR(MatchedLossDbPer100m({400, 0.91, 1.024e-3, std::nullopt}, 30), 0.9658, 5e-5);
  EXPECT_NEAR(MatchedLossDbPer100m(LinePresets[0].line, 30), 0.9658, 5e-5);  // window line
}

TEST(TransmissionLine, AMeasuredLossScalesWithTheRootOfTheFrequency) {
  const TTransmissionLine line{450, 0.9, 1e-3, TMeasuredLoss{0.5, 7}};
  EXPECT_NEAR(MatchedLossDbPer100m(line, 7), 0.5, 1e-12);
  EXPECT_NEAR(MatchedLossDbPer100m(line, 28), 1.0, 1e-12);
  EXPECT_NEAR(MatchedLossDbPer100m(line, 1.75), 0.25, 1e-12);
}

TEST(TransmissionLine, TheMatchedLineLosesOnlyItsMatchedLoss) {
  const TTransmissionLine line = LinePresets[1].line;
  const TLineEnds ends = ThroughTheLine(line, line.z0, 14.175, 37.5, 100);
  EXPECT_NEAR(ends.swr, 1, 1e-12);
  EXPECT_NEAR(std::abs(ends.tunerImpedance - Z(line.z0)), 0, 1e-9);
  EXPECT_NEAR(ends.matchedLossDb, MatchedLossDbPer100m(line, 14.175) * 0.375, 1e-12);
  EXPECT_NEAR(ends.totalLossDb, ends.matchedLossDb, 1e-12);
  EXPECT_NEAR(ends.efficiency, std::pow(10, -ends.matchedLossDb / 10), 1e-12);
  EXPECT_NEAR(ends.peakVoltage, std::sqrt(2 * 100 * 600), 1e-6);  // P = V² / (2 R)
}

TEST(TransmissionLine, LosslessLinesTransformAsTheClosedFormsSay) {
  const double f = 7.1;
  const double z0 = 450;
  const TTransmissionLine line = lossless(z0);
  const double wave = LineWavelength(line, f);
  const double bl = 2 * std::numbers::pi / wave * 1.3;  // β l of a 1.3 m stub
  struct Case {
    const char* name;
    Z load;
    double lengthM;
    Z expected;
  };
  for (const Case& c : {
           Case{"quarter wave", Z(73, 42), wave / 4, Z(2084.096997, -1199.069505)},  // Z0² / Z_L
           Case{"half wave", Z(73, 42), wave / 2, Z(73, 42)},
           Case{"open stub", Z(1e15, 0), 1.3, Z(0, -z0 / std::tan(bl))},
           Case{"shorted stub", Z(0, 0), 1.3, Z(0, z0 * std::tan(bl))},
       }) {
    const Z zIn = ThroughTheLine(line, c.load, f, c.lengthM, 100).tunerImpedance;
    EXPECT_NEAR(zIn.real(), c.expected.real(), 1e-5 * (1 + std::abs(c.expected))) << c.name;
    EXPECT_NEAR(zIn.imag(), c.expected.imag(), 1e-5 * (1 + std::abs(c.expected))) << c.name;
  }
  const TLineEnds quarter = ThroughTheLine(line, Z(73, 42), f, wave / 4, 100);
  EXPECT_NEAR(quarter.efficiency, 1, 1e-12);  // no loss, no matter the mismatch
  EXPECT_NEAR(quarter.totalLossDb, 0, 1e-10);
}

TEST(TransmissionLine, MismatchAddsLossAboveTheMatchedLoss) {
  // A lossy line at SWR 10 loses far more than its matched loss, as the
  // textbook formula for a mismatched line has it.
  const TTransmissionLine line = LinePresets[2].line;
  const TLineEnds ends = ThroughTheLine(line, Z(3000, 0), 28.5, 30, 100);
  EXPECT_NEAR(ends.swr, 10, 1e-9);
  EXPECT_GT(ends.totalLossDb, ends.matchedLossDb * 2);
  // Standard mismatched-line loss: 10 lg[(a² - |Γ|²) / (a (1 - |Γ|²))], a = 10^(A/10).
  const double a = std::pow(10, ends.matchedLossDb / 10), g2 = std::pow(2700.0 / 3300, 2);
  EXPECT_NEAR(ends.totalLossDb, 10 * std::log10((a * a - g2) / (a * (1 - g2))), 1e-9);
}

TEST(TransmissionLine, TheFirstCurrentMaximumFollowsTheReflection) {
  const double wave = 40;
  struct Case {
    Z reflection;
    double expected;
  };
  for (const Case& c : {Case{Z(-0.5, 0), 0},     // real load below Z0: at the antenna
                        Case{Z(-0.5, -0.0), 0},  // the same from the other side of the cut
                        Case{Z(0.5, 0), 10},     // above Z0: a quarter wave on
                        Case{Z(0, 0.5), 15},     // arg π/2: (π/2 - π) / 2β mod λ/2
                        Case{Z(0, -0.5), 5},     // arg -π/2
                        Case{Z(0, 0), 0}}) {     // matched: flat
    EXPECT_NEAR(FirstCurrentMaximum(c.reflection, wave), c.expected, 1e-12) << c.reflection;
  }
  EXPECT_FALSE(std::signbit(FirstCurrentMaximum(Z(-0.5, -0.0), wave)));
  EXPECT_NEAR(MaximaApart(0.5, 19.5, wave), 1, 1e-12);  // around the half wave
  EXPECT_NEAR(MaximaApart(3, 8, wave), 5, 1e-12);
  EXPECT_NEAR(MaximaApart(2, 42, wave), 0, 1e-12);
}

TEST(TransmissionLine, BadLinesAreRefused) {
  for (const TTransmissionLine& bad : {TTransmissionLine{0, 0.9, 1e-3, std::nullopt},
                                       TTransmissionLine{450, 1.2, 1e-3, std::nullopt},
                                       TTransmissionLine{450, 0.9, 0, std::nullopt},
                                       TTransmissionLine{450, 0.9, 1e-3, TMeasuredLoss{-1, 7}},
                                       TTransmissionLine{450, 0.9, 1e-3, TMeasuredLoss{1, 0}}}) {
    EXPECT_THROW(CheckLine(bad), std::invalid_argument);
  }
  EXPECT_NO_THROW(CheckLine(LinePresets[2].line));
}

}  // namespace
