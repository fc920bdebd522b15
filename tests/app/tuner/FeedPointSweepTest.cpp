// The band sweep: which feed points it asks the model for, how it fills in
// the rest, and, with the real nec2c, how close its interpolation stays to a
// direct run on every band.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

#include "NecTestSupport.h"
#include "app/tuner/FeedPointSweep.h"
#include "app/tuner/NecRunner.h"

namespace {

using Z = std::complex<double>;
using Impedance = std::function<Z(double frequencyMHz)>;

// The frequency of a pending deck, from its FR card.
double deckFrequency(const std::string& deck) {
  const size_t fr = deck.find("FR 0 1 0 0 ");
  return std::stod(deck.substr(fr + 11));
}

int deckSegments(const std::string& deck) { return std::stoi(deck.substr(deck.find("GW 1 ") + 5)); }

// Runs the sweep to its end with feed points from a formula instead of nec2c.
void complete(TFeedPointSweep& sweep, const Impedance& z) {
  for (int round = 0; !sweep.Complete(); ++round) {
    ASSERT_LT(round, 20);
    std::vector<Z> feedPoints;
    for (const std::string& deck : sweep.Pending()) feedPoints.push_back(z(deckFrequency(deck)));
    sweep.Take(feedPoints);
  }
}

// An antiresonance: a parallel circuit's impedance, a bilinear function of f.
Z antiresonance(double f) { return 1200.0 / Z(1, 2 * 8 * (f - 7.15) / 7.15); }

TEST(FeedPointSweep, AsksForEdgesQuarterPointsAndCentreOnTheBandsMesh) {
  TDipoleModel model;
  const TFeedPointSweep sweep(model, TRegion::Region1, {3, 9}, 7.1);
  ASSERT_EQ(sweep.Pending().size(), 10u);
  // The longest runs first: the 10 m band's finer mesh before the 40 m band's.
  const double expected[] = {28.0, 28.425, 28.85, 29.275, 29.7, 7.0, 7.05, 7.1, 7.15, 7.2};
  for (size_t i = 0; i < 10; ++i) {
    EXPECT_NEAR(deckFrequency(sweep.Pending()[i]), expected[i], 1e-9) << i;
    // Every deck of a band on the mesh of its upper edge.
    EXPECT_EQ(deckSegments(sweep.Pending()[i]), SegmentCount(model.lengthM, i < 5 ? 29.7 : 7.2));
  }
  // A lone frequency: one deck on its own mesh.
  const TFeedPointSweep lone(model, TRegion::Region1, {}, 10.1);
  ASSERT_EQ(lone.Pending().size(), 1u);
  EXPECT_EQ(lone.Pending()[0], NecDeck(model, 10.1));
}

TEST(FeedPointSweep, ABilinearImpedanceNeedsNoMoreThanTheFirstRound) {
  TFeedPointSweep sweep({}, TRegion::Region2, {3}, 7.1);  // 7.0-7.3 MHz
  complete(sweep, antiresonance);
  EXPECT_EQ(sweep.Runs(), 5);
  const std::vector<TFinderFrequency> points = sweep.Points();
  ASSERT_EQ(points.size(), BandSweepPoints(BandPlan(TRegion::Region2)[3]).size());
  for (const TFinderFrequency& p : points) {
    EXPECT_EQ(p.group, 3);
    EXPECT_LT(std::abs(p.feedImpedance - antiresonance(p.frequencyMHz)), 1e-9) << p.frequencyMHz;
  }
}

TEST(FeedPointSweep, WhereTheImpedanceTurnsFastItAsksForMorePoints) {
  // Two turns of a resonance within the band: far from one bilinear piece.
  const auto wavy = [](double f) {
    const double phase = 2 * std::numbers::pi * 2 * (f - 28.0) / 1.7;
    return Z(300 + 150 * std::cos(phase), 400 * std::sin(phase));
  };
  TFeedPointSweep sweep({}, TRegion::Region1, {9}, 7.1);
  complete(sweep, wavy);
  EXPECT_GT(sweep.Runs(), 5);
  EXPECT_GT(sweep.ModelFrequencies(0).size(), 5u);
  for (const TFinderFrequency& p : sweep.Points()) {
    EXPECT_LT(std::abs(p.feedImpedance - wavy(p.frequencyMHz)),
              0.02 * std::abs(wavy(p.frequencyMHz)))
        << p.frequencyMHz;
  }
}

TEST(FeedPointSweep, AHighCentreIsComputedAgainOnAFinerMesh) {
  TFeedPointSweep sweep({}, TRegion::Region1, {3}, 7.1);  // 7.0-7.2: centre 7.1, |Z| 1200
  const auto high = [](double f) { return antiresonance(f) * 2.0; };  // 2400 Ω at 7.15
  std::vector<Z> first;
  for (const std::string& deck : sweep.Pending()) first.push_back(high(deckFrequency(deck)));
  sweep.Take(first);
  ASSERT_EQ(sweep.Pending().size(), 1u);
  const int segments = sweep.Segments(0);
  EXPECT_EQ(deckSegments(sweep.Pending()[0]), int(std::ceil(segments * 1.5)) | 1);
  EXPECT_NEAR(deckFrequency(sweep.Pending()[0]), 7.1, 1e-9);
  const Z centre = high(7.1);
  sweep.Take({centre * 1.07});
  EXPECT_TRUE(sweep.Complete());
  const std::vector<TSweepCentre> centres = sweep.Centres();
  ASSERT_EQ(centres.size(), 1u);
  EXPECT_EQ(centres[0].feedImpedance, centre);
  ASSERT_TRUE(centres[0].uncertainty);
  EXPECT_NEAR(*centres[0].uncertainty, 0.07, 1e-12);
  // A low centre is left alone.
  TFeedPointSweep low({}, TRegion::Region1, {3}, 7.1);
  complete(low, [](double f) { return antiresonance(f) / 4.0; });
  EXPECT_EQ(low.Runs(), 5);
  EXPECT_FALSE(low.Centres()[0].uncertainty);
}

TEST(FeedPointSweep, AFeedPointTheModelCannotVouchForIsAnErrorNamingItsFrequency) {
  for (const Z bad : {Z(-3, 40), Z(0, 40), Z(NAN, 0), Z(INFINITY, 1)}) {
    TFeedPointSweep sweep({}, TRegion::Region1, {}, 14.2);
    try {
      sweep.Take({bad});
      FAIL() << "no error for " << bad;
    } catch (const ENoFeedPoint& e) {
      EXPECT_EQ(std::string(e.what()).rfind(
                    "The antenna model gives no usable feed point at 14.2 MHz: ", 0),
                0u)
          << e.what();
    }
  }
  TFeedPointSweep sweep({}, TRegion::Region1, {}, 14.2);
  EXPECT_THROW(sweep.Take({}), std::invalid_argument);
}

// With the real antenna model: the interpolated feed point in the middle
// between every two computed ones against a direct run there, on the same
// mesh, on every band.
struct FeedPointSweepWithNec : ::testing::Test {
  void SetUp() override { SKIP_WITHOUT_NEC2C(); }
  TemporaryFolderScope temporary;
  TNecCache cache;

  void ExpectWithinTwoPercent(const TDipoleModel& model) {
    std::vector<int> all;
    for (int b = 0; b < int(BandCount); ++b) all.push_back(b);
    TFeedPointSweep sweep(model, TRegion::Region1, all, 7.1);
    while (!sweep.Complete()) sweep.Take(ImpedancesOf(RunNec(sweep.Pending(), cache)));
    std::vector<std::string> decks;
    std::vector<std::pair<size_t, double>> where;
    for (size_t b = 0; b < sweep.BandCount(); ++b) {
      const std::vector<double> computed = sweep.ModelFrequencies(b);
      const std::vector<double> points = BandSweepPoints(BandPlan(TRegion::Region1)[b]);
      for (size_t k = 0; k + 1 < computed.size(); ++k) {
        const auto first = std::find(points.begin(), points.end(), computed[k]);
        const auto last = std::find(points.begin(), points.end(), computed[k + 1]);
        if (last - first < 2) continue;
        const double middle = *(first + (last - first) / 2);
        decks.push_back(NecDeck(model, middle, sweep.Segments(b)));
        where.push_back({b, middle});
      }
    }
    const std::vector<Z> direct = ImpedancesOf(RunNec(decks, cache));
    for (size_t i = 0; i < direct.size(); ++i) {
      const Z interpolated = sweep.FeedPointAt(where[i].first, where[i].second);
      EXPECT_LT(std::abs(interpolated - direct[i]), 0.02 * std::abs(direct[i]))
          << where[i].second << " MHz: " << interpolated << " against " << direct[i];
    }
  }
};

TEST_F(FeedPointSweepWithNec, TheDefaultDipoleStaysWithinTwoPercentOfADirectRun) {
  ExpectWithinTwoPercent({});
}

TEST_F(FeedPointSweepWithNec, A41MetreDipoleStaysWithinTwoPercentOfADirectRun) {
  TDipoleModel model;
  model.lengthM = 41;
  ExpectWithinTwoPercent(model);
}

}  // namespace
