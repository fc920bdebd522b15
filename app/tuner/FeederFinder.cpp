#include "app/tuner/FeederFinder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <stdexcept>

namespace {

constexpr int kShortestCm = 50;
constexpr int kLongestCm = 6000;
constexpr int kLengths = kLongestCm - kShortestCm + 1;
// The recurrence below is re-anchored on an exact exponential this often, so
// rounding never accumulates over the 5951 steps.
constexpr int kAnchorEvery = 128;

double lengthAt(int i) { return (kShortestCm + i) / 100.0; }

// Fast path: the tuner's margin at every length for one frequency. With
// e(l) = Γ_L exp(-2γl), Z_in = Z0 (1 + e) / (1 - e); stepping 1 cm multiplies
// e by exp(-2γ · 1 cm), one complex product per length instead of cosh and sinh.
void marginsAlongTheLine(const TTransmissionLine& line, const TTuner& tuner,
                         const TFinderFrequency& f, double* margins) {
  const std::complex<double> gamma{MatchedLossNepers(line, f.frequencyMHz),
                                   PhaseConstant(line, f.frequencyMHz)};
  const std::complex<double> reflection = ReflectionOf(f.feedImpedance, line.z0);
  const std::complex<double> step = std::exp(-2.0 * gamma * FinderStepM);
  std::complex<double> e;
  for (int i = 0; i < kLengths; ++i) {
    e = i % kAnchorEvery == 0 ? reflection * std::exp(-2.0 * gamma * lengthAt(i)) : e * step;
    margins[i] = TunerMargin(tuner, line.z0 * (1.0 + e) / (1.0 - e));
  }
}

// The metres at which every row of margins whose group passes `use` is >= 0.
template <class Use>
double sharedMetres(const std::vector<double>& margins,
                    const std::vector<TFinderFrequency>& frequencies, Use use) {
  int count = 0;
  for (int i = 0; i < kLengths; ++i) {
    bool all = true;
    for (size_t j = 0; j < frequencies.size() && all; ++j) {
      if (use(frequencies[j].group)) all = margins[j * kLengths + size_t(i)] >= 0;
    }
    count += all;
  }
  return count * FinderStepM;
}

// No span: the group whose absence frees the most length, or, when leaving
// out any one group frees nothing, the group that is matchable on the fewest
// lengths by itself.
void findStopper(const std::vector<double>& margins,
                 const std::vector<TFinderFrequency>& frequencies, TFinderResult& result) {
  std::map<int, double> without, alone;
  for (const TFinderFrequency& f : frequencies) {
    if (without.count(f.group)) continue;
    without[f.group] = sharedMetres(margins, frequencies, [&](int g) { return g != f.group; });
    alone[f.group] = sharedMetres(margins, frequencies, [&](int g) { return g == f.group; });
  }
  if (without.size() < 2) {
    result.stoppingGroup = without.begin()->first;
    return;
  }
  const auto most =
      std::max_element(without.begin(), without.end(), [](const auto& a, const auto& b) {
        return a.second < b.second;
      });
  if (most->second > 0) {
    result.stoppingGroup = most->first;
    result.othersShareM = most->second;
    return;
  }
  result.stoppingGroup =
      std::min_element(alone.begin(), alone.end(), [](const auto& a, const auto& b) {
        return a.second < b.second;
      })->first;
}

}  // namespace

TFinderResult FindFeederSpans(const TTransmissionLine& line, const TTuner& tuner,
                              const std::vector<TFinderFrequency>& frequencies) {
  CheckLine(line);
  CheckTuner(tuner);
  if (frequencies.empty())
    throw std::invalid_argument("The feeder finder needs at least one frequency");
  std::vector<double> margins(frequencies.size() * kLengths);
  for (size_t j = 0; j < frequencies.size(); ++j) {
    marginsAlongTheLine(line, tuner, frequencies[j], &margins[j * kLengths]);
  }
  std::vector<double> worst(kLengths, std::numeric_limits<double>::infinity());
  std::vector<size_t> worstAt(kLengths, 0);
  for (size_t j = 0; j < frequencies.size(); ++j) {
    for (int i = 0; i < kLengths; ++i) {
      const double m = margins[j * kLengths + size_t(i)];
      if (m < worst[size_t(i)]) worst[size_t(i)] = m, worstAt[size_t(i)] = j;
    }
  }
  TFinderResult result;
  for (int i = 0; i < kLengths;) {
    if (!(worst[size_t(i)] >= 0)) {
      ++i;
      continue;
    }
    int best = i, end = i;
    for (; end < kLengths && worst[size_t(end)] >= 0; ++end) {
      if (worst[size_t(end)] > worst[size_t(best)]) best = end;
    }
    result.spans.push_back({lengthAt(i),
                            lengthAt(end - 1),
                            lengthAt(best),
                            worst[size_t(best)],
                            frequencies[worstAt[size_t(best)]].frequencyMHz});
    i = end;
  }
  std::stable_sort(
      result.spans.begin(), result.spans.end(), [](const TFeederSpan& a, const TFeederSpan& b) {
        return a.worstMargin > b.worstMargin;
      });
  if (result.spans.empty()) findStopper(margins, frequencies, result);
  return result;
}
