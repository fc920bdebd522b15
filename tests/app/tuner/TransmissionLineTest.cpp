// The physical line: its matched loss against check values worked out by
// hand, the exact solution against a chain of many short RLGC sections built
// here, closed-form cases, and the current maxima against the chain's |I(d)|.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "app/tuner/TransmissionLine.h"

namespace {

using Z = std::complex<double>;

constexpr double kPi = std::numbers::pi;
constexpr double kC = 299792458.0;
constexpr double kDbPerNeper = 20 / std::numbers::ln10;

// A line without loss: a measured loss of 0 dB.
TTransmissionLine lossless(double z0) { return {z0, 0.9, 1e-3, TMeasuredLoss{0, 1}}; }

// The line's constants per metre as the line's description states them:
// copper's surface resistance over both circumferences with the proximity
// factor, L = Z0 / (VF c), C = 1 / (Z0 VF c), G = ωC tan δ.
struct Rlgc {
  double r, l, g, c;
};
Rlgc copperLine(double z0, double vf, double diameterM, double tanDelta, double fMHz) {
  const double f = fMHz * 1e6;
  const double rs = std::sqrt(kPi * f * 4e-7 * kPi / 5.8e7);
  const double x = std::cosh(z0 / (120 * vf));
  const double c = 1 / (z0 * vf * kC);
  return {2 * rs / (kPi * diameterM) * x / std::sqrt(x * x - 1),
          z0 / (vf * kC),
          2 * kPi * f * c * tanDelta,
          c};
}

// The line as a chain of short sections, each half its series impedance, its
// shunt admittance, the other half, stepped from the antenna to the tuner:
// what the tuner sees, the power balance and the current all along.
struct Chain {
  Z vIn, iIn;
  double efficiency;
  std::vector<double> current;  // |I| at every section boundary, from the antenna
};
Chain chainOf(const Rlgc& k, double fMHz, Z load, double lengthM, int sections) {
  const double w = 2 * kPi * fMHz * 1e6, d = lengthM / sections;
  const Z halfSeries = Z(k.r, w * k.l) * d / 2.0, shunt = Z(k.g, w * k.c) * d;
  Z v = load, i = 1;
  Chain chain{};
  chain.current.push_back(1);
  for (int s = 0; s < sections; ++s) {
    v += i * halfSeries;
    i += v * shunt;
    v += i * halfSeries;
    chain.current.push_back(std::abs(i));
  }
  chain.vIn = v;
  chain.iIn = i;
  chain.efficiency = load.real() / (v * std::conj(i)).real();
  return chain;
}

TEST(TransmissionLine, MatchedLossOfCopperWiresMatchesTheCheckValues) {
  // Rs = sqrt(π f µ0 / σ), R = 2 Rs / (π d) · x / sqrt(x² - 1), x = cosh(Z0 / (120 VF)),
  // α ≈ R / (2 Z0).
  EXPECT_NEAR(MatchedLossDbPer100m({600, 0.97, 2.0e-3, std::nullopt}, 3.6), 0.1141, 5e-5);
  EXPECT_NEAR(MatchedLossDbPer100m({400, 0.91, 1.024e-3, std::nullopt}, 30), 0.9658, 5e-5);
  EXPECT_NEAR(MatchedLossDbPer100m(LinePresets[0].line, 30), 0.9658, 5e-5);  // window line
}

TEST(TransmissionLine, TheConstantsAreThoseOfTheLinesDescription) {
  const TLineConstants k = LineConstants({450, 0.9, 1.5e-3, std::nullopt, 2e-4}, 7.1);
  const Rlgc expected = copperLine(450, 0.9, 1.5e-3, 2e-4, 7.1);
  EXPECT_NEAR(k.r, expected.r, 1e-12 * expected.r);
  EXPECT_NEAR(k.l, expected.l, 1e-12 * expected.l);
  EXPECT_NEAR(k.g, expected.g, 1e-12 * expected.g);
  EXPECT_NEAR(k.c, expected.c, 1e-12 * expected.c);
}

TEST(TransmissionLine, AMeasuredLossScalesWithTheRootOfTheFrequency) {
  const TTransmissionLine line{450, 0.9, 1e-3, TMeasuredLoss{0.5, 7}};
  EXPECT_NEAR(MatchedLossDbPer100m(line, 7), 0.5, 1e-12);
  EXPECT_NEAR(MatchedLossDbPer100m(line, 28), 1.0, 1e-12);
  EXPECT_NEAR(MatchedLossDbPer100m(line, 1.75), 0.25, 1e-12);
  EXPECT_EQ(LineConstants(line, 7).g, 0);  // all of it in the conductors
}

TEST(TransmissionLine, TwoMeasuredLossesSplitIntoConductorAndDielectric) {
  // 0.3 dB at 4 MHz and 0.8 dB at 16 MHz (per 100 m): a sqrt(f) + b f with
  // a = 0.1 and b = 0.025, 0.2 + 0.1 and 0.4 + 0.4.
  const double a = 0.1, b = 0.025;
  const TTransmissionLine line{
      450, 0.9, 1e-3, TMeasuredLoss{2 * a + 4 * b, 4}, 0, TMeasuredLoss{4 * a + 16 * b, 16}};
  for (double f : {4.0, 16.0, 1.0, 30.0})
    EXPECT_NEAR(MatchedLossDbPer100m(line, f), a * std::sqrt(f) + b * f, 1e-12) << f;
  // The dielectric's share of the loss: α_d / α = G Z0 / (2 α) to first order.
  const TLineConstants k = LineConstants(line, 16);
  const double alpha = (4 * a + 16 * b) / 100 / kDbPerNeper;
  EXPECT_NEAR(k.g * 450 / 2 / alpha, 16 * b / (4 * a + 16 * b), 1e-6);
}

TEST(TransmissionLine, ALineEndedInItsCharacteristicImpedanceLosesOnlyItsMatchedLoss) {
  const TTransmissionLine line = LinePresets[1].line;
  const TLineWave wave = LineWave(line, 14.175);
  EXPECT_GT(std::abs(wave.zc.imag()), 0.01);  // copper alone makes Zc complex
  const TLineEnds ends = ThroughTheLine(line, wave.zc, 14.175, 37.5, 100);
  EXPECT_NEAR(std::abs(ends.tunerImpedance - wave.zc), 0, 1e-9);
  EXPECT_NEAR(ends.matchedLossDb, MatchedLossDbPer100m(line, 14.175) * 0.375, 1e-12);
  EXPECT_NEAR(ends.totalLossDb, ends.matchedLossDb, 1e-9);
  EXPECT_NEAR(ends.efficiency, std::pow(10, -ends.matchedLossDb / 10), 1e-12);
  // P = |V|² Re(1/Z) / 2 at the tuner.
  EXPECT_NEAR(ends.peakVoltage, std::sqrt(2 * 100 / (1.0 / wave.zc).real()), 1e-6);
  // Its SWR is the meter's on the nominal Z0, a hair above 1.
  EXPECT_GT(ends.swr, 1);
  EXPECT_LT(ends.swr, 1.002);
}

TEST(TransmissionLine, TheExactSolutionAgreesWithAChainOfShortSections) {
  struct Case {
    const char* name;
    double z0, vf, diameterM, tanDelta, fMHz, lengthM;
    Z load;
  };
  for (const Case& c : {
           // 160 m: a short dipole's few ohms against kilo-ohms of reactance, SWR in the hundreds.
           Case{"high SWR, low band", 600, 0.97, 2e-3, 0, 1.905, 12.38, Z(4.5, -1180)},
           // 80 m: the default dipole through 20 m of window line.
           Case{"window line, 80 m", 400, 0.91, 1.024e-3, 0, 3.65, 20, Z(32, -520)},
           // 10 m: near a match, with a dielectric.
           Case{"low SWR, high band", 450, 0.9, 1.3e-3, 5e-4, 28.85, 31.7, Z(380, 95)},
       }) {
    const TTransmissionLine line{c.z0, c.vf, c.diameterM, std::nullopt, c.tanDelta};
    const Chain chain = chainOf(
        copperLine(c.z0, c.vf, c.diameterM, c.tanDelta, c.fMHz), c.fMHz, c.load, c.lengthM, 20000);
    const TLineEnds ends = ThroughTheLine(line, c.load, c.fMHz, c.lengthM, 1500);
    const Z zChain = chain.vIn / chain.iIn;
    EXPECT_LT(std::abs(ends.tunerImpedance - zChain), 1e-3 * std::abs(zChain)) << c.name;
    EXPECT_NEAR(ends.totalLossDb, -10 * std::log10(chain.efficiency), 0.01) << c.name;
    EXPECT_NEAR(ends.efficiency, chain.efficiency, 1e-3 * chain.efficiency) << c.name;
    // |V| at the tuner for 1500 W into it.
    const double scale = std::sqrt(1500 / ((chain.vIn * std::conj(chain.iIn)).real() / 2));
    EXPECT_NEAR(ends.peakVoltage, std::abs(chain.vIn) * scale, 1e-3 * ends.peakVoltage) << c.name;
  }
}

TEST(TransmissionLine, TakingTheLineBackOffGivesTheFeedPointAgain) {
  const TTransmissionLine line{450, 0.9, 1.3e-3, std::nullopt, 5e-4};
  for (const Z feed : {Z(4.5, -1180), Z(380, 95), Z(2500, 900)}) {
    for (double length : {0.0, 7.3, 31.7}) {
      const Z tuner = ThroughTheLine(line, feed, 14.1, length, 100).tunerImpedance;
      EXPECT_LT(std::abs(FeedPointOf(line, tuner, 14.1, length) - feed), 1e-9 * std::abs(feed))
          << feed << " through " << length << " m";
    }
  }
}

TEST(TransmissionLine, ADistortionlessLineHasARealZcAndTheTextbookMismatchLoss) {
  // G / C = R / L makes Zc = Z0 exactly, the one line for which the textbook
  // formula for a mismatched line's loss is exact:
  // 10 lg[(a² - |Γ|²) / (a (1 - |Γ|²))], a = 10^(A/10).
  const double f = 28.5;
  const Rlgc k = copperLine(300, 0.8, 0.812e-3, 0, f);
  const double tanDelta = k.r / (2 * kPi * f * 1e6 * k.l);
  const TTransmissionLine line{300, 0.8, 0.812e-3, std::nullopt, tanDelta};
  EXPECT_NEAR(std::abs(LineWave(line, f).zc - Z(300)), 0, 1e-9);
  const TLineEnds ends = ThroughTheLine(line, Z(3000, 0), f, 30, 100);
  EXPECT_NEAR(ends.swr, 10, 1e-9);
  EXPECT_GT(ends.totalLossDb, ends.matchedLossDb * 2);
  const double a = std::pow(10, ends.matchedLossDb / 10), g2 = std::pow(2700.0 / 3300, 2);
  EXPECT_NEAR(ends.totalLossDb, 10 * std::log10((a * a - g2) / (a * (1 - g2))), 1e-9);
}

TEST(TransmissionLine, LosslessLinesTransformAsTheClosedFormsSay) {
  const double f = 7.1;
  const double z0 = 450;
  const TTransmissionLine line = lossless(z0);
  const double wave = LineWavelength(line, f);
  EXPECT_NEAR(wave, kC * 0.9 / 7.1e6, 1e-9);
  const double bl = 2 * kPi / wave * 1.3;  // β l of a 1.3 m stub
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
           Case{"no line at all", Z(300, 100), 0, Z(300, 100)},
       }) {
    const Z zIn = ThroughTheLine(line, c.load, f, c.lengthM, 100).tunerImpedance;
    EXPECT_NEAR(zIn.real(), c.expected.real(), 1e-5 * (1 + std::abs(c.expected))) << c.name;
    EXPECT_NEAR(zIn.imag(), c.expected.imag(), 1e-5 * (1 + std::abs(c.expected))) << c.name;
  }
  const TLineEnds quarter = ThroughTheLine(line, Z(73, 42), f, wave / 4, 100);
  EXPECT_NEAR(quarter.efficiency, 1, 1e-12);  // no loss, no matter the mismatch
  EXPECT_NEAR(quarter.totalLossDb, 0, 1e-10);
}

// The first local maximum of the chain's |I| beyond the antenna, or -1 for none.
double chainMaximum(const Chain& chain, double step) {
  const std::vector<double>& i = chain.current;
  for (size_t k = 1; k + 1 < i.size(); ++k) {
    if (i[k] >= i[k - 1] && i[k] > i[k + 1]) return double(k) * step;
  }
  return -1;
}

TEST(TransmissionLine, TheFirstCurrentMaximumIsTheFirstMaximumOfTheCurrent) {
  struct Case {
    const char* name;
    double z0, tanDelta, fMHz;
    Z load;
  };
  for (const Case& c : {Case{"capacitive", 450, 0, 7.1, Z(40, -600)},
                        Case{"inductive", 450, 0, 3.65, Z(90, 700)},
                        Case{"high", 600, 0, 14.175, Z(3400, 360)},
                        Case{"near the match, lossy", 450, 3e-3, 28.5, Z(430, 60)},
                        Case{"low and real", 300, 0, 21.2, Z(50, 0)}}) {
    const TTransmissionLine line{c.z0, 0.9, 1.2e-3, std::nullopt, c.tanDelta};
    const double wave = LineWavelength(line, c.fMHz);
    const int sections = 40000;
    const Chain chain = chainOf(
        copperLine(c.z0, 0.9, 1.2e-3, c.tanDelta, c.fMHz), c.fMHz, c.load, 0.75 * wave, sections);
    const double expected = chainMaximum(chain, 0.75 * wave / sections);
    const std::optional<double> first = FirstCurrentMaximum(LineWave(line, c.fMHz), c.load);
    ASSERT_GE(expected, 0) << c.name;
    ASSERT_TRUE(first) << c.name;
    EXPECT_LT(*first, wave / 2) << c.name;
    // A maximum right at the antenna is the feed point's own: 0 m, where the
    // chain, looking beyond the antenna, may find the next a half wave on.
    EXPECT_LT(MaximaApart(*first, expected, wave), 1e-4 * wave) << c.name;
  }
}

TEST(TransmissionLine, TheFeedPointItselfCanBeTheCurrentMaximum) {
  // A real load below Z0 on a lossless line: the current is largest at the
  // antenna, 0 m, not a half wave on.
  const TTransmissionLine line = lossless(450);
  for (Z load : {Z(50, 0), Z(50, -0.0), Z(450 - 1e-9, 0)}) {
    const std::optional<double> first = FirstCurrentMaximum(LineWave(line, 7.1), load);
    ASSERT_TRUE(first) << load;
    EXPECT_EQ(*first, 0) << load;
    EXPECT_FALSE(std::signbit(*first));
  }
  // Above Z0 a quarter wave on; a matched lossless line is flat: its start counts.
  const double wave = LineWavelength(line, 7.1);
  EXPECT_NEAR(*FirstCurrentMaximum(LineWave(line, 7.1), Z(2000, 0)), wave / 4, 1e-9 * wave);
  EXPECT_EQ(*FirstCurrentMaximum(LineWave(line, 7.1), Z(450, 0)), 0);
  // Where the current falls from the antenna on, the maximum is the next one
  // along the line, not the antenna: a reflection of angle π/2 has it at
  // (π + π/2) / 2β, three eighths of a wave on.
  const Z reflection = std::polar(0.5, std::numbers::pi / 2);
  const Z load = 450.0 * (1.0 + reflection) / (1.0 - reflection);
  EXPECT_NEAR(*FirstCurrentMaximum(LineWave(line, 7.1), load), 3 * wave / 8, 1e-9 * wave);
}

TEST(TransmissionLine, ALossyLineMatchedWellHasNoCurrentMaximum) {
  // Its loss outweighs the small standing wave: |I| only grows towards the tuner.
  const TTransmissionLine line{450, 0.9, 1e-3, TMeasuredLoss{3, 28}};
  const TLineWave wave = LineWave(line, 28);
  EXPECT_FALSE(FirstCurrentMaximum(wave, wave.zc * 1.0001));
  EXPECT_TRUE(FirstCurrentMaximum(wave, wave.zc * 1.5));
}

TEST(TransmissionLine, MaximaApartAroundTheHalfWave) {
  const double wave = 40;
  EXPECT_NEAR(MaximaApart(0.5, 19.5, wave), 1, 1e-12);
  EXPECT_NEAR(MaximaApart(3, 8, wave), 5, 1e-12);
  EXPECT_NEAR(MaximaApart(2, 42, wave), 0, 1e-12);
}

TEST(TransmissionLine, BadLinesAreRefused) {
  for (const TTransmissionLine& bad : {
           TTransmissionLine{0, 0.9, 1e-3, std::nullopt},
           TTransmissionLine{450, 1.2, 1e-3, std::nullopt},
           TTransmissionLine{450, 0.9, 0, std::nullopt},
           TTransmissionLine{450, 0.9, 1e-3, TMeasuredLoss{-1, 7}},
           TTransmissionLine{450, 0.9, 1e-3, TMeasuredLoss{1, 0}},
           TTransmissionLine{450, 0.9, 1e-3, std::nullopt, -0.1},
           TTransmissionLine{450, 0.9, 1e-3, std::nullopt, std::nan("")},
           // The same frequency twice, and a loss that falls with the frequency.
           TTransmissionLine{450, 0.9, 1e-3, TMeasuredLoss{1, 7}, 0, TMeasuredLoss{2, 7}},
           TTransmissionLine{450, 0.9, 1e-3, TMeasuredLoss{1, 7}, 0, TMeasuredLoss{0.5, 14}},
           // Faster than in proportion to the frequency.
           TTransmissionLine{450, 0.9, 1e-3, TMeasuredLoss{1, 7}, 0, TMeasuredLoss{3, 14}},
       }) {
    EXPECT_THROW(CheckLine(bad), std::invalid_argument) << bad.z0;
  }
  EXPECT_NO_THROW(CheckLine(LinePresets[2].line));
  EXPECT_NO_THROW(CheckLine({450, 0.9, 1e-3, TMeasuredLoss{1, 7}, 0, TMeasuredLoss{2, 14}}));
}

TEST(TransmissionLine, WiresCloserThanTheirDiameterAreRefused) {
  // Z0 = 120 Ω VF acosh(D / d): D = 2 d at Z0 = 120 · 0.8 · acosh 2 = 126.4 Ω.
  EXPECT_NEAR(WireSpacingDiameters({126.43, 0.8, 1e-3, std::nullopt}), 2, 1e-3);
  try {
    CheckLine({100, 0.8, 1e-3, std::nullopt});
    FAIL() << "no error for wires 1.6 diameters apart";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(),
                 "A line of Z0 100 ohm and velocity factor 0.8 would have its wires 1.59 "
                 "diameters apart, closer than their own diameter: give a higher Z0 or a lower "
                 "velocity factor");
  }
  EXPECT_NO_THROW(CheckLine({127, 0.8, 1e-3, std::nullopt}));
  // A measured loss does without the wires' geometry.
  EXPECT_NO_THROW(CheckLine({100, 0.8, 1e-3, TMeasuredLoss{1, 7}}));
}

}  // namespace
