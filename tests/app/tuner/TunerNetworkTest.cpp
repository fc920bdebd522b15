// The tuner's networks against constructions of this test's own: the
// textbook L, T and Pi designs for lossless parts, a ladder circuit solved
// element by element for the match, the power balance, the voltages and the
// coil current, and a brute-force search over the free capacitor for the
// least loss.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "app/tuner/TunerNetwork.h"

namespace {

using Z = std::complex<double>;

constexpr double kLossless = 1e12;  // the Q of a part without loss

double omegaOf(double frequencyMHz) { return 2 * std::numbers::pi * frequencyMHz * 1e6; }

// ---- a ladder of series and shunt elements, rig side first ----

struct TElement {
  bool shunt;
  Z z;
  double resistance() const { return z.real(); }
};

struct TLadder {
  std::vector<TElement> elements;
  Z load;
  // Filled by solve(): the current through and voltage across each element,
  // the load's current and the rig-side impedance, for 1 A into the rig side.
  std::vector<Z> currents, voltages;
  Z loadCurrent, zIn;

  void solve() {
    std::vector<Z> looking(elements.size() + 1);  // impedance from each node toward the load
    looking.back() = load;
    for (size_t k = elements.size(); k-- > 0;) {
      const Z rest = looking[k + 1], z = elements[k].z;
      looking[k] = elements[k].shunt ? 1.0 / (1.0 / z + 1.0 / rest) : z + rest;
    }
    zIn = looking[0];
    Z current = 1, voltage = zIn;
    for (const TElement& e : elements) {
      if (e.shunt) {
        currents.push_back(voltage / e.z), voltages.push_back(voltage);
        current -= voltage / e.z;
      } else {
        currents.push_back(current), voltages.push_back(current * e.z);
        voltage -= current * e.z;
      }
    }
    loadCurrent = current;
  }
};

Z capacitor(double pf, double frequencyMHz, double q) {
  const double x = 1 / (omegaOf(frequencyMHz) * pf * 1e-12);
  return {x / q, -x};
}
Z coil(double uh, double frequencyMHz, double q) {
  const double x = omegaOf(frequencyMHz) * uh * 1e-6;
  return {x / q, x};
}

// The network of a match as a ladder, from its reported values only.
TLadder ladderOf(const TTunerNetwork& n, const TNetworkMatch& m, Z load, double f) {
  const TElement l{false, coil(m.inductorUh, f, n.inductorQ)};
  const auto cap = [&](const std::optional<double>& pf) {
    return TElement{false, capacitor(*pf, f, n.capacitorQ)};
  };
  const auto shunt = [](TElement e) { return e.shunt = true, e; };
  TLadder ladder{{}, load / double(n.balun), {}, {}, {}, {}};
  if (n.kind == TNetworkKind::HighPassT) {
    ladder.elements = {cap(m.rigCapacitorPf), shunt(l), cap(m.antennaCapacitorPf)};
  } else if (n.kind == TNetworkKind::LowPassPi) {
    ladder.elements = {shunt(cap(m.rigCapacitorPf)), l, shunt(cap(m.antennaCapacitorPf))};
  } else {
    switch (*m.arrangement) {
      case TLArrangement::ShuntLAtRig:
        ladder.elements = {shunt(l), cap(m.antennaCapacitorPf)};
        break;
      case TLArrangement::ShuntLAtAntenna:
        ladder.elements = {cap(m.rigCapacitorPf), shunt(l)};
        break;
      case TLArrangement::ShuntCAtRig:
        ladder.elements = {shunt(cap(m.rigCapacitorPf)), l};
        break;
      case TLArrangement::ShuntCAtAntenna:
        ladder.elements = {l, shunt(cap(m.antennaCapacitorPf))};
        break;
    }
  }
  ladder.solve();
  return ladder;
}

TTunerNetwork lossless(TTunerNetwork n) {
  n.inductorQ = n.capacitorQ = kLossless;
  return n;
}

// ---- the textbook L network, lossless ----

struct TLDesign {
  TLArrangement arrangement;
  double capacitorPf, inductorUh;
};

// The L-match from a load to 50 Ω. R > 50 (or a small enough conductance):
// the shunt element at the antenna side brings the conductance G to 1/50
// seen through a series reactance, (B + Bs)^2 = G/50 - G^2, Xs = 50 (B + Bs)/G.
// R < 50: the series element at the antenna side, (X + Xs)^2 = 50 R - R^2,
// and the shunt susceptance at the rig side Bs = (X + Xs) / (50 R).
std::vector<TLDesign> textbookL(Z load, double f) {
  const double w = omegaOf(f);
  std::vector<TLDesign> designs;
  const Z y = 1.0 / load;
  const double g = y.real(), b = y.imag();
  if (g / 50 - g * g > 0) {
    for (const double sign : {1.0, -1.0}) {
      const double bt = sign * std::sqrt(g / 50 - g * g), bs = bt - b, xs = 50 * bt / g;
      if (bs > 0 && xs > 0)
        designs.push_back({TLArrangement::ShuntCAtAntenna, bs / w * 1e12, xs / w * 1e6});
      if (bs < 0 && xs < 0)
        designs.push_back({TLArrangement::ShuntLAtAntenna, 1e12 / (w * -xs), 1e6 / (w * -bs)});
    }
  }
  const double r = load.real(), x = load.imag();
  if (50 * r - r * r > 0) {
    for (const double sign : {1.0, -1.0}) {
      const double xt = sign * std::sqrt(50 * r - r * r), xs = xt - x, bs = xt / (50 * r);
      if (bs > 0 && xs > 0)
        designs.push_back({TLArrangement::ShuntCAtRig, bs / w * 1e12, xs / w * 1e6});
      if (bs < 0 && xs < 0)
        designs.push_back({TLArrangement::ShuntLAtRig, 1e12 / (w * -xs), 1e6 / (w * -bs)});
    }
  }
  return designs;
}

double capacitorOf(const TNetworkMatch& m) {
  return m.rigCapacitorPf ? *m.rigCapacitorPf : *m.antennaCapacitorPf;
}

TEST(TunerNetwork, LosslessLNetworksAreTheTextbookLMatches) {
  struct Case {
    Z load;
    double f;
  };
  int designsSeen = 0;
  for (const Case& c : {Case{{200, 0}, 7.1},
                        Case{{600, 300}, 3.6},
                        Case{{300, -450}, 14.2},
                        Case{{12, 0}, 3.6},
                        Case{{20, 35}, 21.2},
                        Case{{8, -20}, 1.85},
                        Case{{30, 150}, 28.5}}) {
    const std::vector<TLDesign> designs = textbookL(c.load, c.f);
    ASSERT_GE(designs.size(), 2u) << c.load;
    for (const TLDesign& d : designs) {
      // Ranges around this design alone, so the network has to find it.
      TTunerNetwork n = lossless(DefaultNetwork(TNetworkKind::LNetwork));
      n.capacitorPf = {d.capacitorPf * 0.999, d.capacitorPf * 1.001};
      n.inductorUh = {d.inductorUh * 0.999, d.inductorUh * 1.001};
      const TNetworkMatch m = MatchNetwork(n, c.load, c.f, 100);
      ASSERT_TRUE(m.matches) << c.load << " " << int(d.arrangement);
      EXPECT_EQ(*m.arrangement, d.arrangement) << c.load;
      EXPECT_NEAR(capacitorOf(m) / d.capacitorPf, 1, 1e-7) << c.load;
      EXPECT_NEAR(m.inductorUh / d.inductorUh, 1, 1e-7) << c.load;
      EXPECT_NEAR(m.lossDb, 0, 1e-8);
      ++designsSeen;
    }
  }
  EXPECT_GE(designsSeen, 14);
}

// ---- the textbook T and Pi, lossless ----

// A T of two L sections back to back through a virtual resistance Rv above
// 50 and R: series reactances 50 Q1 and R Q2, shunt Rv / (Q1 + Q2), with
// Q1 = sqrt(Rv/50 - 1), Q2 = sqrt(Rv/R - 1). A Pi through Rv below both:
// shunt reactances 50 / Q1 and R / Q2, series Rv (Q1 + Q2), Q1 = sqrt(50/Rv - 1).
struct TThreeDesign {
  double rigPf, uh, antennaPf;
};

TThreeDesign textbookT(double r, double rv, double f) {
  const double w = omegaOf(f), q1 = std::sqrt(rv / 50 - 1), q2 = std::sqrt(rv / r - 1);
  return {1e12 / (w * 50 * q1), 1e6 * rv / (q1 + q2) / w, 1e12 / (w * r * q2)};
}
TThreeDesign textbookPi(double r, double rv, double f) {
  const double w = omegaOf(f), q1 = std::sqrt(50 / rv - 1), q2 = std::sqrt(r / rv - 1);
  return {1e12 * q1 / (w * 50), 1e6 * rv * (q1 + q2) / w, 1e12 * q2 / (w * r)};
}

TEST(TunerNetwork, LosslessTAndPiAreTheTextbookDesigns) {
  struct Case {
    TNetworkKind kind;
    double r, rv, f;
  };
  for (const Case& c : {Case{TNetworkKind::HighPassT, 300, 800, 7.1},
                        Case{TNetworkKind::HighPassT, 12, 200, 3.6},
                        Case{TNetworkKind::HighPassT, 1200, 1500, 14.2},
                        Case{TNetworkKind::LowPassPi, 600, 20, 3.6},
                        Case{TNetworkKind::LowPassPi, 15, 5, 7.1},
                        Case{TNetworkKind::LowPassPi, 150, 40, 21.2}}) {
    const TThreeDesign d =
        c.kind == TNetworkKind::HighPassT ? textbookT(c.r, c.rv, c.f) : textbookPi(c.r, c.rv, c.f);
    // The coil pinned to the design's: the capacitors that match with it are
    // the design's (the other root of the quadratic lies far off).
    TTunerNetwork n = lossless(DefaultNetwork(c.kind));
    n.capacitorPf = {std::min(d.rigPf, d.antennaPf) * 0.9, std::max(d.rigPf, d.antennaPf) * 1.1};
    n.inductorUh = {d.uh * (1 - 1e-9), d.uh * (1 + 1e-9)};
    const TNetworkMatch m = MatchNetwork(n, c.r, c.f, 100);
    ASSERT_TRUE(m.matches) << c.r;
    EXPECT_NEAR(*m.rigCapacitorPf / d.rigPf, 1, 1e-5) << c.r;
    EXPECT_NEAR(m.inductorUh / d.uh, 1, 1e-8) << c.r;
    EXPECT_NEAR(*m.antennaCapacitorPf / d.antennaPf, 1, 1e-5) << c.r;
    EXPECT_NEAR(m.lossDb, 0, 1e-8);
  }
}

// ---- lossy networks: the match, the power balance, voltages, current ----

struct TLossyCase {
  TNetworkKind kind;
  int balun;
  Z load;
  double f;
};

const TLossyCase kLossyCases[] = {
    {TNetworkKind::HighPassT, 1, {10, 0}, 3.6},
    {TNetworkKind::HighPassT, 1, {2000, 1500}, 3.6},
    {TNetworkKind::HighPassT, 1, {30, -300}, 14.1},
    {TNetworkKind::HighPassT, 4, {600, -900}, 7.1},
    {TNetworkKind::HighPassT, 1, {75, 40}, 28.5},
    {TNetworkKind::HighPassT, 1, {5, -40}, 1.85},
    {TNetworkKind::LowPassPi, 1, {10, 0}, 3.6},
    {TNetworkKind::LowPassPi, 1, {400, 200}, 7.1},
    {TNetworkKind::LowPassPi, 4, {1500, -600}, 14.2},
    {TNetworkKind::LowPassPi, 1, {60, 90}, 28.5},
    {TNetworkKind::LNetwork, 1, {10, 0}, 3.6},
    {TNetworkKind::LNetwork, 1, {800, 500}, 7.1},
    {TNetworkKind::LNetwork, 4, {300, -700}, 21.2},
    {TNetworkKind::LNetwork, 1, {25, -60}, 14.1},
};

TEST(TunerNetwork, TheLossySettingMatchesAndThePowerBalances) {
  const double power = 400;
  for (const TLossyCase& c : kLossyCases) {
    TTunerNetwork n = DefaultNetwork(c.kind);
    n.balun = c.balun;
    const TNetworkMatch m = MatchNetwork(n, c.load, c.f, power);
    ASSERT_TRUE(m.matches) << c.load << " kind " << int(c.kind);
    TLadder ladder = ladderOf(n, m, c.load, c.f);
    EXPECT_NEAR(std::abs(ladder.zIn - 50.0), 0, 0.01) << c.load;
    // Scale the 1 A solution to the power into the network.
    const double scale = std::sqrt(power / ladder.zIn.real());
    const double toLoad = std::norm(ladder.loadCurrent * scale) * ladder.load.real();
    double burnt = 0;
    for (size_t k = 0; k < ladder.elements.size(); ++k)
      burnt += std::norm(ladder.currents[k] * scale) * ladder.elements[k].resistance();
    EXPECT_NEAR((toLoad + burnt) / power, 1, 1e-6) << c.load;
    EXPECT_NEAR(m.efficiency, toLoad / power, 1e-6) << c.load;
    EXPECT_NEAR(m.lossDb, 10 * std::log10(power / toLoad), 1e-5) << c.load;
    // The coil's current and the capacitors' peak voltages from the ladder.
    for (size_t k = 0; k < ladder.elements.size(); ++k) {
      const bool isCoil = ladder.elements[k].z.imag() > 0;
      const double rms = std::abs((isCoil ? ladder.currents[k] : ladder.voltages[k]) * scale);
      if (isCoil) {
        EXPECT_NEAR(m.inductorCurrentA / rms, 1, 1e-6) << c.load;
        continue;
      }
      const bool rigSide = k == 0;
      const std::optional<double>& v = rigSide ? m.rigCapacitorPeakV : m.antennaCapacitorPeakV;
      ASSERT_TRUE(v.has_value());
      EXPECT_NEAR(*v / (rms * std::numbers::sqrt2), 1, 1e-6) << c.load;
    }
  }
}

// For the T: every setting that matches, for one antenna-side capacitor, by
// a search of this test's own along the rig-side capacitor: the node's
// impedance 50 - Z_C1 must leave, beside the arm C2 + load, an impedance of
// the coil's phase (X / R = QL).
std::vector<double> tEfficienciesAt(const TTunerNetwork& n, Z load, double f, double antPf) {
  const Z arm = load + capacitor(antPf, f, n.capacitorQ);
  const auto coilPhase = [&](double rigPf) {
    const Z zCoil = 1.0 / (1.0 / (50.0 - capacitor(rigPf, f, n.capacitorQ)) - 1.0 / arm);
    return zCoil.imag() - n.inductorQ * zCoil.real();
  };
  std::vector<double> efficiencies;
  const double lo = n.capacitorPf.low, hi = n.capacitorPf.high;
  constexpr int kSteps = 150;
  double a = lo, fa = coilPhase(a);
  for (int i = 1; i <= kSteps; ++i) {
    double b = lo * std::pow(hi / lo, double(i) / kSteps), fb = coilPhase(b);
    if ((fa < 0) != (fb < 0)) {
      double x = a, y = b, fx = fa;
      for (int k = 0; k < 60; ++k) {
        const double m = 0.5 * (x + y), fm = coilPhase(m);
        (fm < 0) == (fx < 0) ? (x = m, fx = fm) : (y = m);
      }
      const double rigPf = 0.5 * (x + y);
      const Z zp = 50.0 - capacitor(rigPf, f, n.capacitorQ);
      const Z zCoil = 1.0 / (1.0 / zp - 1.0 / arm);
      const double uh = zCoil.imag() / omegaOf(f) * 1e6;
      if (uh >= n.inductorUh.low && uh <= n.inductorUh.high && std::abs(zp) < 1e12) {
        TNetworkMatch m;
        m.rigCapacitorPf = rigPf, m.inductorUh = uh, m.antennaCapacitorPf = antPf;
        const TLadder ladder = ladderOf(n, m, load, f);
        if (std::abs(ladder.zIn - 50.0) < 1e-6)
          efficiencies.push_back(std::norm(ladder.loadCurrent) * load.real() / ladder.zIn.real());
      }
    }
    a = b, fa = fb;
  }
  return efficiencies;
}

TEST(TunerNetwork, TheTTakesTheLeastLossOfABruteForceSearch) {
  struct Case {
    Z load;
    double f;
  };
  for (const Case& c : {Case{{2000, 1500}, 3.6}, Case{{10, 0}, 3.6}, Case{{30, -300}, 14.1}}) {
    const TTunerNetwork n = DefaultNetwork(TNetworkKind::HighPassT);
    const TNetworkMatch m = MatchNetwork(n, c.load, c.f, 100);
    ASSERT_TRUE(m.matches);
    double best = 0;
    constexpr int kValues = 20000;
    for (int i = 0; i < kValues; ++i) {
      const double antPf =
          n.capacitorPf.low + (n.capacitorPf.high - n.capacitorPf.low) * i / (kValues - 1);
      for (const double e : tEfficienciesAt(n, c.load, c.f, antPf)) best = std::max(best, e);
    }
    const double bruteLossDb = -10 * std::log10(best);
    EXPECT_LE(m.lossDb, bruteLossDb + 1e-6) << c.load;
    EXPECT_NEAR(m.lossDb, bruteLossDb, 1e-3) << c.load;  // the search finds it too
  }
}

// ---- ranges, ratings, limits and checks ----

TEST(TunerNetwork, TooLittleCapacitanceNamesTheComponentAndTheWay) {
  // 10 Ω on 80 m with the L network: only the rig-side arrangements match
  // (G > 1/50); the textbook ones need 1768 and 2210 pF, and the nearer to a
  // 1000 pF range is the shunt C at the rig side.
  TTunerNetwork n = lossless(DefaultNetwork(TNetworkKind::LNetwork));
  n.capacitorPf = {10, 1000};
  const std::vector<TLDesign> designs = textbookL(10, 3.6);
  ASSERT_EQ(designs.size(), 2u);
  const TLDesign& shuntC =
      designs[0].arrangement == TLArrangement::ShuntCAtRig ? designs[0] : designs[1];
  const TNetworkMatch m = MatchNetwork(n, 10, 3.6, 100);
  EXPECT_FALSE(m.matches);
  EXPECT_EQ(MismatchReason(n, m),
            "C at the rig side would need " + std::to_string(std::lround(shuntC.capacitorPf)) +
                " pF, more than 1000 pF.");
  // The T on 160 m into loads it cannot match: whatever it names, widening that range
  // to the value named lets it match.
  for (const Z load : {Z(5, -1800), Z(4000, 3000), Z(20000, 0)}) {
    TTunerNetwork t = DefaultNetwork(TNetworkKind::HighPassT);
    t.lossLimitDb = 100;
    const TNetworkMatch none = MatchNetwork(t, load, 1.85, 100);
    ASSERT_FALSE(none.matches) << load;
    ASSERT_FALSE(none.shortfalls.empty()) << load;
    for (const TRangeShortfall& s : none.shortfalls) {
      TComponentRange& range = s.part == TNetworkPart::Inductor ? t.inductorUh : t.capacitorPf;
      EXPECT_EQ(s.limit, s.above ? range.high : range.low) << load;
      (s.above ? range.high : range.low) = s.needed * (s.above ? 1.001 : 0.999);
    }
    EXPECT_TRUE(MatchNetwork(t, load, 1.85, 100).matches) << load << " " << MismatchReason(t, none);
  }
}

TEST(TunerNetwork, TheVerdictWeighsLossAndVoltage) {
  // 2000 + j1500 Ω on 80 m through the T: the rig-side capacitor's voltage
  // grows with the root of the power, and at 1.5 kW passes 1.5 kV.
  const TTunerNetwork n = DefaultNetwork(TNetworkKind::HighPassT);
  const Z load(2000, 1500);
  const TNetworkMatch low = MatchNetwork(n, load, 3.6, 100);
  ASSERT_TRUE(low.matches);
  EXPECT_TRUE(TunerMatches(n, low));
  EXPECT_EQ(MismatchReason(n, low), "");
  const TNetworkMatch high = MatchNetwork(n, load, 3.6, 1500);
  const TLadder ladder = ladderOf(n, high, load, 3.6);
  const double peak = std::abs(ladder.voltages[0]) * std::sqrt(1500 / 50.0) * std::numbers::sqrt2;
  EXPECT_NEAR(*high.rigCapacitorPeakV / peak, 1, 1e-6);
  ASSERT_GT(peak, 1500);
  EXPECT_TRUE(high.overRating);
  EXPECT_FALSE(TunerMatches(n, high));
  EXPECT_EQ(MismatchReason(n, high),
            "C at the rig side would see " + std::to_string(std::lround(peak)) +
                " V peak, more than its 1500 V rating.");
  // 3 Ω on 160 m: it matches, but loses more than 1 dB.
  const TNetworkMatch lossy = MatchNetwork(n, 3, 1.85, 100);
  ASSERT_TRUE(lossy.matches);
  ASSERT_GT(lossy.lossDb, 1);
  EXPECT_FALSE(TunerMatches(n, lossy));
  char text[80];
  std::snprintf(text, sizeof text, "%.2f", lossy.lossDb);
  EXPECT_EQ(MismatchReason(n, lossy),
            std::string("The network would lose ") + text + " dB, more than the 1 dB limit.");
  TTunerNetwork lenient = n;
  lenient.lossLimitDb = lossy.lossDb;
  lenient.capacitorRatingV = 1e5;             // its capacitors see more than 1.5 kV too
  EXPECT_TRUE(TunerMatches(lenient, lossy));  // no more than the limit
  // The score adds the line's loss.
  EXPECT_NEAR(TotalLossDb(low, 0.5), low.lossDb + 10 * std::log10(2.0), 1e-12);
  EXPECT_EQ(TotalLossDb(MatchNetwork(n, -3, 3.6, 100), 1), INFINITY);
  EXPECT_THROW(TotalLossDb(low, 0), std::invalid_argument);
  EXPECT_THROW(TotalLossDb(low, 1.5), std::invalid_argument);
}

TEST(TunerNetwork, LoadsWithoutResistanceNeverMatch) {
  for (const TNetworkKind kind :
       {TNetworkKind::HighPassT, TNetworkKind::LowPassPi, TNetworkKind::LNetwork}) {
    const TTunerNetwork n = DefaultNetwork(kind);
    for (const Z load : {Z(0, 50), Z(-10, 0), Z(NAN, 0), Z(INFINITY, 0), Z(50, INFINITY)}) {
      const TNetworkMatch m = MatchNetwork(n, load, 7.1, 100);
      EXPECT_FALSE(m.matches) << load;
      EXPECT_EQ(MismatchReason(n, m), "A load without resistance (R <= 0 Ω) cannot be matched.");
    }
  }
}

TEST(TunerNetwork, CheckNetworkNamesTheBadValue) {
  struct Case {
    void (*spoil)(TTunerNetwork&);
    const char* named;
  };
  for (const Case& c : {
           Case{[](TTunerNetwork& n) {
                  n.capacitorPf = {250, 10};
                },
                "capacitor range"},
           Case{[](TTunerNetwork& n) {
                  n.capacitorPf = {10, 10};
                },
                "capacitor range"},
           Case{[](TTunerNetwork& n) {
                  n.capacitorPf = {0, 250};
                },
                "capacitor range"},
           Case{[](TTunerNetwork& n) {
                  n.capacitorPf = {10, INFINITY};
                },
                "capacitor range"},
           Case{[](TTunerNetwork& n) {
                  n.inductorUh = {-1, 28};
                },
                "inductor range"},
           Case{[](TTunerNetwork& n) {
                  n.inductorUh = {NAN, 28};
                },
                "inductor range"},
           Case{[](TTunerNetwork& n) { n.inductorQ = 0; }, "inductor Q"},
           Case{[](TTunerNetwork& n) { n.capacitorQ = -5; }, "capacitor Q"},
           Case{[](TTunerNetwork& n) { n.capacitorQ = NAN; }, "capacitor Q"},
           Case{[](TTunerNetwork& n) { n.capacitorRatingV = 0; }, "voltage rating"},
           Case{[](TTunerNetwork& n) { n.lossLimitDb = -0.1; }, "loss limit"},
           Case{[](TTunerNetwork& n) { n.lossLimitDb = INFINITY; }, "loss limit"},
           Case{[](TTunerNetwork& n) { n.balun = 2; }, "balun"},
       }) {
    TTunerNetwork n;
    c.spoil(n);
    try {
      CheckNetwork(n);
      ADD_FAILURE() << c.named;
    } catch (const std::invalid_argument& e) {
      EXPECT_NE(std::string(e.what()).find(c.named), std::string::npos) << e.what();
    }
    EXPECT_THROW(MatchNetwork(n, 50, 7.1, 100), std::invalid_argument) << c.named;
  }
  TTunerNetwork lossless;
  lossless.lossLimitDb = 0;
  EXPECT_NO_THROW(CheckNetwork(lossless));
  EXPECT_THROW(MatchNetwork(TTunerNetwork{}, 50, 0, 100), std::invalid_argument);
  EXPECT_THROW(MatchNetwork(TTunerNetwork{}, 50, 7.1, NAN), std::invalid_argument);
}

}  // namespace
