#include "app/tuner/FeederFinder.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <map>
#include <stdexcept>

#include "app/tuner/NetworkJudge.h"

namespace {

using Complex = std::complex<double>;

constexpr int kLengths = TFinderTable::Lengths;
constexpr int kNarrowestCm = 5;
// The recurrence below is re-anchored on an exact exponential this often, so
// rounding never accumulates over the 5951 steps.
constexpr int kAnchorEvery = 128;
constexpr double kMinusInfinity = -std::numeric_limits<double>::infinity();

// The groups in the order they first appear.
std::vector<int> groupsOf(const std::vector<TFinderFrequency>& frequencies) {
  std::vector<int> groups;
  for (const TFinderFrequency& f : frequencies) {
    if (std::find(groups.begin(), groups.end(), f.group) == groups.end()) groups.push_back(f.group);
  }
  return groups;
}

// Fast path: a goodness that grows with the tuner's margin, at every length
// for one frequency, without a logarithm or a root: -|Γ|² on 50 Ω for the
// internal tuner, the nearer of |Z|² / Zmin² and Zmax² / |Z|² for the
// external one. With e(l) = Γ_L exp(-2γl) against Zc,
// Z_in = Zc (1 + e) / (1 - e); stepping 1 cm multiplies e by exp(-2γ · 1 cm),
// one complex product per length instead of cosh and sinh.
template <class Goodness>
void foldAlongTheLine(const TLineWave& wave, const TFinderFrequency& f, uint16_t index,
                      Goodness goodness, double* worst, uint16_t* worstAt) {
  const Complex reflection = ReflectionOf(f.feedImpedance, wave.zc);
  const Complex step = std::exp(-2.0 * wave.gamma * FinderStepM);
  Complex e;
  for (int i = 0; i < kLengths; ++i) {
    e = i % kAnchorEvery == 0 ? reflection * std::exp(-2.0 * wave.gamma * TFinderTable::LengthAt(i))
                              : e * step;
    const double g = goodness(wave.zc * (1.0 + e), 1.0 - e);
    if (!(g >= worst[i])) {  // a NaN counts as the worst there is
      worst[i] = g == g ? g : kMinusInfinity;
      worstAt[i] = index;
    }
  }
}

// The same walk for a tuner network, its score minus the total loss in dB:
// the network's judge decides each load; the line's efficiency follows from
// e too, P_L / P_in = Re Z_L |1 - Γ_L|² / (Re Z_in e^{2αl} |1 - e|²).
void foldNetworkAlongTheLine(const TTunerNetwork& network, double powerW, const TLineWave& wave,
                             const TFinderFrequency& f, uint16_t index, double* worst,
                             uint16_t* worstAt) {
  TNetworkJudge judge(network, f.frequencyMHz, powerW);
  const Complex reflection = ReflectionOf(f.feedImpedance, wave.zc);
  const double loadPart = f.feedImpedance.real() * std::norm(1.0 - reflection);
  const Complex step = std::exp(-2.0 * wave.gamma * FinderStepM);
  const double growthStep = std::exp(2 * wave.gamma.real() * FinderStepM);
  Complex e;
  double growth = 1;
  for (int i = 0; i < kLengths; ++i) {
    const double length = TFinderTable::LengthAt(i);
    if (i % kAnchorEvery == 0) {
      e = reflection * std::exp(-2.0 * wave.gamma * length);
      growth = std::exp(2 * wave.gamma.real() * length);
    } else {
      e *= step;
      growth *= growthStep;
    }
    const Complex z = wave.zc * (1.0 + e) / (1.0 - e);
    const double efficiency = loadPart / (z.real() * growth * std::norm(1.0 - e));
    const double score = judge.Matches(z) && efficiency > 0
                             ? 10 * std::log10(std::min(efficiency, 1.0))
                             : kMinusInfinity;
    if (!(score >= worst[i])) {
      worst[i] = score;
      worstAt[i] = index;
    }
  }
}

// The goodness above turned into TunerMargin's logarithm.
double marginOf(const TTuner& tuner, double goodness) {
  if (tuner.kind == TTuner::External) return std::log(goodness) / 2;
  const double g = std::sqrt(-goodness);
  if (!(g < 1)) return kMinusInfinity;
  return std::log(tuner.maxSwr) - std::log((1 + g) / (1 - g));
}

}  // namespace

std::vector<TGroupVerdict> JudgeGroups(const TTransmissionLine& line, const TTuner& tuner,
                                       const std::vector<TFinderFrequency>& frequencies,
                                       double lengthM, double powerW) {
  CheckLine(line);
  CheckTuner(tuner);
  std::vector<TGroupVerdict> verdicts;
  for (int group : groupsOf(frequencies))
    verdicts.push_back({group, true, std::numeric_limits<double>::infinity(), 0});
  for (const TFinderFrequency& f : frequencies) {
    const TLineEnds ends = ThroughTheLine(line, f.feedImpedance, f.frequencyMHz, lengthM, powerW);
    const TPointVerdict point =
        JudgePoint(tuner, ends.tunerImpedance, f.frequencyMHz, powerW, ends.efficiency);
    TGroupVerdict& v = *std::find_if(verdicts.begin(), verdicts.end(), [&](const TGroupVerdict& g) {
      return g.group == f.group;
    });
    v.matches = v.matches && point.matches;
    if (!(point.score >= v.worstMargin)) {
      v.worstMargin = point.score == point.score ? point.score : kMinusInfinity;
      v.worstMHz = f.frequencyMHz;
    }
  }
  return verdicts;
}

TFinderTable::TFinderTable(const TTransmissionLine& line, const TTuner& tuner,
                           const std::vector<TFinderFrequency>& frequencies, double powerW)
    : FKind(tuner.kind), FGroups(groupsOf(frequencies)) {
  CheckLine(line);
  CheckTuner(tuner);
  if (frequencies.empty())
    throw std::invalid_argument("The feeder finder needs at least one frequency");
  if (frequencies.size() > std::numeric_limits<uint16_t>::max())
    throw std::invalid_argument("The feeder finder takes at most 65535 frequencies");
  FMargins.assign(FGroups.size() * kLengths, std::numeric_limits<double>::infinity());
  FWorstAt.assign(FMargins.size(), 0);
  const double minZ2 = tuner.minZ * tuner.minZ, maxZ2 = tuner.maxZ * tuner.maxZ;
  const auto internal = [](Complex num, Complex den) {
    return -std::norm(num - TunerReference * den) / std::norm(num + TunerReference * den);
  };
  const auto external = [minZ2, maxZ2](Complex num, Complex den) {
    const double z2 = std::norm(num) / std::norm(den);
    return std::min(z2 / minZ2, maxZ2 / z2);
  };
  for (size_t j = 0; j < frequencies.size(); ++j) {
    const TFinderFrequency& f = frequencies[j];
    FFrequencies.push_back(f.frequencyMHz);
    const size_t g = size_t(std::find(FGroups.begin(), FGroups.end(), f.group) - FGroups.begin());
    double* worst = &FMargins[g * kLengths];
    uint16_t* worstAt = &FWorstAt[g * kLengths];
    const TLineWave wave = LineWave(line, f.frequencyMHz);
    if (tuner.kind == TTuner::Network) {
      foldNetworkAlongTheLine(tuner.network, powerW, wave, f, uint16_t(j), worst, worstAt);
    } else if (tuner.kind == TTuner::External) {
      foldAlongTheLine(wave, f, uint16_t(j), external, worst, worstAt);
    } else {
      foldAlongTheLine(wave, f, uint16_t(j), internal, worst, worstAt);
    }
  }
  if (tuner.kind != TTuner::Network) {
    for (double& m : FMargins) m = marginOf(tuner, m);
  }
}

bool TFinderTable::Matches(size_t g, int length) const {
  const double score = Margin(g, length);
  return FKind == TTuner::Network ? score > kMinusInfinity : score >= 0;
}

double TFinderTable::WorstMHz(size_t g, int length) const {
  return FFrequencies[FWorstAt[g * kLengths + size_t(length)]];
}

namespace {

using TMask = uint32_t;  // bit g: the table's group g is matched

struct TSpanSearch {
  const TFinderTable& table;
  TMask included;

  TMask suitedAt(int i) const {
    TMask mask = 0;
    for (size_t g = 0; g < table.GroupCount(); ++g) {
      if ((included >> g & 1) && table.Matches(g, i)) mask |= TMask(1) << g;
    }
    return mask;
  }

  // The least margin over the groups of mask at i, and the group that has it.
  std::pair<double, size_t> worstOf(TMask mask, int i) const {
    std::pair<double, size_t> worst{std::numeric_limits<double>::infinity(), 0};
    for (size_t g = 0; g < table.GroupCount(); ++g) {
      if ((mask >> g & 1) && table.Margin(g, i) < worst.first) worst = {table.Margin(g, i), g};
    }
    return worst;
  }

  TFeederSpan span(int from, int to, TMask mask) const {
    int best = from;
    for (int i = from; i <= to; ++i) {
      if (worstOf(mask, i).first > worstOf(mask, best).first) best = i;
    }
    const auto [margin, g] = worstOf(mask, best);
    TFeederSpan s{TFinderTable::LengthAt(from),
                  TFinderTable::LengthAt(to),
                  TFinderTable::LengthAt(best),
                  margin,
                  table.WorstMHz(g, best),
                  {}};
    for (size_t h = 0; h < table.GroupCount(); ++h) {
      if ((included >> h & 1) && !(mask >> h & 1)) s.failingGroups.push_back(table.Group(h));
    }
    return s;
  }

  // Metres at which every included group that passes use is matched.
  template <class Use>
  double sharedMetres(Use use) const {
    int count = 0;
    for (int i = 0; i < kLengths; ++i) {
      bool all = true;
      for (size_t g = 0; g < table.GroupCount() && all; ++g) {
        if ((included >> g & 1) && use(g)) all = table.Matches(g, i);
      }
      count += all;
    }
    return count * FinderStepM;
  }
};

// No length suits every group: the group whose absence frees the most length,
// or, when leaving out any one group frees nothing, the group that is
// matchable on the fewest lengths by itself.
void findStopper(const TSpanSearch& search, TFinderResult& result) {
  std::map<int, double> without, alone;
  for (size_t g = 0; g < search.table.GroupCount(); ++g) {
    if (!(search.included >> g & 1)) continue;
    const int group = search.table.Group(g);
    without[group] = search.sharedMetres([g](size_t h) { return h != g; });
    alone[group] = search.sharedMetres([g](size_t h) { return h == g; });
  }
  if (without.empty()) return;
  if (without.size() < 2) {
    result.stoppingGroup = without.begin()->first;
    return;
  }
  const auto byMetres = [](const auto& a, const auto& b) { return a.second < b.second; };
  const auto most = std::max_element(without.begin(), without.end(), byMetres);
  if (most->second > 0) {
    result.stoppingGroup = most->first;
    result.othersShareM = most->second;
    return;
  }
  result.stoppingGroup = std::min_element(alone.begin(), alone.end(), byMetres)->first;
}

}  // namespace

TFinderResult SpansOf(std::shared_ptr<const TFinderTable> table,
                      const std::vector<int>& excludedGroups) {
  TFinderResult result;
  result.table = table;
  TSpanSearch search{*table, 0};
  for (size_t g = 0; g < table->GroupCount(); ++g) {
    const bool excluded =
        std::find(excludedGroups.begin(), excludedGroups.end(), table->Group(g)) !=
        excludedGroups.end();
    if (!excluded) search.included |= TMask(1) << g;
  }
  result.groupsIncluded = std::popcount(search.included);
  // Runs of lengths at which the same groups are matched, as wide as can be cut.
  struct TRun {
    int from, to;
    TMask mask;
  };
  std::vector<TRun> runs;
  for (int i = 0; i < kLengths;) {
    const TMask mask = search.suitedAt(i);
    int end = i;
    while (end + 1 < kLengths && search.suitedAt(end + 1) == mask) ++end;
    if (mask != 0 && end - i >= kNarrowestCm) runs.push_back({i, end, mask});
    i = end + 1;
  }
  for (const TRun& run : runs)
    result.groupsSuited = std::max(result.groupsSuited, std::popcount(run.mask));
  for (const TRun& run : runs) {
    if (std::popcount(run.mask) == result.groupsSuited)
      result.spans.push_back(search.span(run.from, run.to, run.mask));
  }
  std::stable_sort(
      result.spans.begin(), result.spans.end(), [](const TFeederSpan& a, const TFeederSpan& b) {
        return a.worstMargin > b.worstMargin;
      });
  if (!result.SuitsAll()) findStopper(search, result);
  return result;
}

TFinderResult FindFeederSpans(const TTransmissionLine& line, const TTuner& tuner,
                              const std::vector<TFinderFrequency>& frequencies, double powerW,
                              const std::vector<int>& excludedGroups) {
  return SpansOf(std::make_shared<const TFinderTable>(line, tuner, frequencies, powerW),
                 excludedGroups);
}
