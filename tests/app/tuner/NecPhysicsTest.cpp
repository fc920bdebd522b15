// The antenna model against what physics says of a dipole, from nec2c itself.
#include <gtest/gtest.h>

#include <cmath>

#include "NecTestSupport.h"
#include "app/tuner/NecDeck.h"
#include "app/tuner/NecRunner.h"
#include "app/tuner/TransmissionLine.h"

namespace {

struct NecPhysics : ::testing::Test {
  void SetUp() override { SKIP_WITHOUT_NEC2C(); }
  TemporaryFolderScope temporary;
  TNecCache cache;

  std::complex<double> FeedPoint(const TDipoleModel& model, double frequencyMHz) {
    return ImpedancesOf(RunNec({NecDeck(model, frequencyMHz)}, cache))[0];
  }
  static TDipoleModel Dipole(double lengthM, double heightM, TGround ground) {
    TDipoleModel model;
    model.lengthM = lengthM;
    model.heightM = heightM;
    model.wireDiameterM = 0.002;
    model.ground = ground;
    return model;
  }
};

const TGround kFree = GroundClasses[0].ground;
const TGround kPerfect = GroundClasses[1].ground;

TEST_F(NecPhysics, AHalfWaveDipoleInFreeSpaceHasSixtyToSeventyFiveOhmAtResonance) {
  // A 10 m dipole: first resonance a little below 15 MHz. Bisect on the sign
  // of X, then read R where X crosses zero.
  const TDipoleModel model = Dipole(10, 10, kFree);
  double low = 12.5, high = 15.5;
  ASSERT_LT(FeedPoint(model, low).imag(), 0);
  ASSERT_GT(FeedPoint(model, high).imag(), 0);
  for (int i = 0; i < 9; ++i) {
    const double mid = (low + high) / 2;
    (FeedPoint(model, mid).imag() < 0 ? low : high) = mid;
  }
  const std::complex<double> a = FeedPoint(model, low), b = FeedPoint(model, high);
  const double resistance = a.real() + (b.real() - a.real()) * (-a.imag()) / (b.imag() - a.imag());
  EXPECT_GT(resistance, 60);
  EXPECT_LT(resistance, 75);
}

TEST_F(NecPhysics, AnOddMultipleOfHalfWavesPutsACurrentMaximumAtTheAntenna) {
  // A resonant-length dipole has a low, nearly real feed point: on a 400 Ω
  // line the current is largest right at the antenna.
  const double f = 14.175, wavelength = SpeedOfLight / (f * 1e6);
  const TTransmissionLine line = LinePresets[0].line;
  const double lineWavelength = LineWavelength(line, f);
  for (double halfWaves : {1.0, 3.0, 5.0}) {
    const std::complex<double> z = FeedPoint(Dipole(halfWaves * wavelength / 2, 10, kFree), f);
    const std::optional<double> first = FirstCurrentMaximum(LineWave(line, f), z);
    ASSERT_TRUE(first) << z;
    EXPECT_LT(MaximaApart(*first, 0, lineWavelength), lineWavelength / 32)
        << halfWaves << " half waves: " << z << ", first maximum at " << *first << " m";
  }
}

TEST_F(NecPhysics, PerfectGroundChangesTheResistanceAsItsImageSays) {
  // Over perfect ground a horizontal dipole has an image carrying the opposite
  // current at twice its height: R = R_free - R_mutual(2h). For half-wave
  // dipoles side by side, R_mutual(λ/2) = -12.5 Ω and R_mutual(λ) = +4.0 Ω
  // (the induced-EMF formula), so R rises at λ/4 and falls at λ/2.
  const double f = 14.175, wavelength = SpeedOfLight / (f * 1e6);
  const double length = 0.48 * wavelength;  // near resonance
  const double free = FeedPoint(Dipole(length, wavelength / 2, kFree), f).real();
  const double quarterUp = FeedPoint(Dipole(length, wavelength / 4, kPerfect), f).real();
  const double halfUp = FeedPoint(Dipole(length, wavelength / 2, kPerfect), f).real();
  EXPECT_GT(quarterUp, free + 5) << free;
  EXPECT_LT(halfUp, free - 1) << free;
  EXPECT_GT(halfUp, free - 10) << free;
}

}  // namespace
