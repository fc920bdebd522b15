// The fast judge against the direct solve: random loads over the whole
// Smith chart, loads a hair either side of the edge of the matchable region,
// and the loads of a feeder's every centimetre, for every kind of network,
// both baluns and frequencies across the HF bands.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "app/tuner/NetworkJudge.h"
#include "app/tuner/TunerNetwork.h"

namespace {

using Z = std::complex<double>;

Z loadOf(Z gamma) { return 50.0 * (1.0 + gamma) / (1.0 - gamma); }

struct NetworkJudge : ::testing::TestWithParam<TNetworkKind> {
  static bool direct(const TTunerNetwork& n, Z z, double f, double power) {
    return TunerMatches(n, MatchNetwork(n, z, f, power));
  }
};

constexpr double kFrequencies[] = {1.85, 3.6, 7.1, 14.2, 21.3, 29.5};
constexpr double kPower = 400;

TEST_P(NetworkJudge, AgreesWithTheDirectSolveOnRandomLoads) {
  std::mt19937 random(17);
  std::uniform_real_distribution<double> unit(0, 1);
  for (const double balun : {1.0, 4.0}) {
    TTunerNetwork n = DefaultNetwork(GetParam());
    n.balun = int(balun);
    for (const double f : kFrequencies) {
      TNetworkJudge judge(n, f, kPower);
      int yes = 0, no = 0;
      for (int k = 0; k < 400; ++k) {
        // |Γ| up to 0.999, with as many loads near the rim as near the centre.
        const double radius = 0.999 * (k % 2 ? std::sqrt(unit(random)) : 1 - unit(random) * 0.05);
        const Z z = loadOf(std::polar(radius, 2 * M_PI * unit(random)));
        const bool expected = direct(n, z, f, kPower);
        ASSERT_EQ(judge.Matches(z), expected) << z << " at " << f << " MHz, balun " << balun;
        (expected ? yes : no)++;
      }
      EXPECT_GT(yes, 0) << f;  // both verdicts occur
      EXPECT_GT(no, 0) << f;
    }
  }
}

// Pairs of loads with different verdicts, moved together along the segment
// between them until they lie 1e-9 apart in Γ: the judge must agree there.
TEST_P(NetworkJudge, AgreesAtTheEdgeOfTheMatchableRegion) {
  std::mt19937 random(5);
  std::uniform_real_distribution<double> unit(0, 1);
  for (const double balun : {1.0, 4.0}) {
    TTunerNetwork n = DefaultNetwork(GetParam());
    n.balun = int(balun);
    for (const double f : {1.85, 7.1, 28.5}) {
      TNetworkJudge judge(n, f, kPower);
      int edges = 0;
      for (int k = 0; k < 60 && edges < 12; ++k) {
        Z a = std::polar(0.999 * std::sqrt(unit(random)), 2 * M_PI * unit(random));
        Z b = std::polar(0.999 * std::sqrt(unit(random)), 2 * M_PI * unit(random));
        const bool atA = direct(n, balun * loadOf(a), f, kPower);
        if (atA == direct(n, balun * loadOf(b), f, kPower)) continue;
        for (int step = 0; step < 60 && std::abs(a - b) > 1e-9; ++step) {
          const Z m = 0.5 * (a + b);
          (direct(n, balun * loadOf(m), f, kPower) == atA ? a : b) = m;
        }
        for (const Z gamma : {a, b, a + (a - b) * 1e3, b + (b - a) * 1e3}) {
          const Z z = balun * loadOf(gamma);
          ASSERT_EQ(judge.Matches(z), direct(n, z, f, kPower)) << z << " at " << f << " MHz";
        }
        ++edges;
      }
      EXPECT_GT(edges, 0) << f;
    }
  }
}

// What the feeder finder asks: 1 cm steps along 60 m of lossless 450 Ω line
// from a dipole's feed point, a circle around 450 Ω on the chart.
TEST_P(NetworkJudge, AgreesAlongAFeeder) {
  const TTunerNetwork n = DefaultNetwork(GetParam());
  struct Case {
    double f;
    Z feed;
  };
  for (const Case& c : {Case{3.6, {18.7, -640}}, Case{14.2, {193, -944}}, Case{28.5, {133, 58}}}) {
    TNetworkJudge judge(n, c.f, 100);
    const double beta = 2 * M_PI * c.f / 299.792458 / 0.9;
    const Z reflection = (c.feed - 450.0) / (c.feed + 450.0);
    for (int cm = 50; cm <= 6000; cm += 3) {
      const Z e = reflection * std::polar(1.0, -2 * beta * cm / 100);
      const Z z = 450.0 * (1.0 + e) / (1.0 - e);
      ASSERT_EQ(judge.Matches(z), direct(n, z, c.f, 100)) << z << " at " << c.f << " MHz";
    }
  }
}

TEST_P(NetworkJudge, RefusesWhatTheDirectSolveRefuses) {
  TTunerNetwork n = DefaultNetwork(GetParam());
  EXPECT_THROW(TNetworkJudge(n, 0, 100), std::invalid_argument);
  EXPECT_THROW(TNetworkJudge(n, 7.1, -1), std::invalid_argument);
  n.balun = 3;
  EXPECT_THROW(TNetworkJudge(n, 7.1, 100), std::invalid_argument);
  TNetworkJudge judge(DefaultNetwork(GetParam()), 7.1, 100);
  for (const Z z : {Z(0, 10), Z(-1, 0), Z(NAN, 1), Z(1, INFINITY)}) EXPECT_FALSE(judge.Matches(z));
}

INSTANTIATE_TEST_SUITE_P(Kinds, NetworkJudge,
                         ::testing::Values(TNetworkKind::HighPassT, TNetworkKind::LowPassPi,
                                           TNetworkKind::LNetwork));

}  // namespace
