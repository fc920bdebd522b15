// The tuner network's judge over what the feeder finder asks of it: 260
// frequencies (ten bands, 26 points each) times every centimetre of window
// line from 0.5 to 60 m, 1.5 million loads, with a T network at 100 W; and
// the direct solve of a table's ten rows. The feed points are fixed values of
// the order nec2c gives for the default dipole, so no child process runs.
// The aims: all of the finder's loads within 200 ms, ten rows within 20 ms.
#include <benchmark/benchmark.h>

#include <vector>

#include "app/tuner/NetworkJudge.h"
#include "app/tuner/TransmissionLine.h"
#include "app/tuner/TunerNetwork.h"

namespace {

using Z = std::complex<double>;

const Z kCentres[10] = {{4.5, -1806},
                        {18.7, -640},
                        {62, -53},
                        {194, 501},
                        {2299, 1898},
                        {193, -944},
                        {160, 268},
                        {1573, 1647},
                        {383, -1098},
                        {133, 58}};
const double kBands[10][2] = {{1.81, 2.0},
                              {3.5, 3.8},
                              {5.3515, 5.3665},
                              {7.0, 7.2},
                              {10.1, 10.15},
                              {14.0, 14.35},
                              {18.068, 18.168},
                              {21.0, 21.45},
                              {24.89, 24.99},
                              {28.0, 29.7}};

struct TFrequencyLoads {
  double frequencyMHz;
  std::vector<Z> loads;  // at the tuner, one per centimetre of feeder
};

// The feed point moves across a band from 0.9 to 1.1 times its centre's.
std::vector<TFrequencyLoads> allBandLoads() {
  const TTransmissionLine line = LinePresets[0].line;
  std::vector<TFrequencyLoads> result;
  for (int b = 0; b < 10; ++b) {
    for (int k = 0; k < 26; ++k) {
      const double share = k / 25.0;
      const double f = kBands[b][0] + (kBands[b][1] - kBands[b][0]) * share;
      const Z feed = kCentres[b] * (0.9 + 0.2 * share);
      TFrequencyLoads fl{f, {}};
      for (int cm = 50; cm <= 6000; ++cm)
        fl.loads.push_back(ThroughTheLine(line, feed, f, cm / 100.0, 100).tunerImpedance);
      result.push_back(std::move(fl));
    }
  }
  return result;
}

void BM_JudgeAllBandsT(benchmark::State& state) {
  static const std::vector<TFrequencyLoads> loads = allBandLoads();
  const TTunerNetwork network = DefaultNetwork(TNetworkKind::HighPassT);
  long matched = 0, direct = 0, total = 0;
  for (auto _ : state) {
    matched = direct = total = 0;
    for (const TFrequencyLoads& fl : loads) {
      TNetworkJudge judge(network, fl.frequencyMHz, 100);
      for (const Z z : fl.loads) matched += judge.Matches(z);
      direct += judge.DirectSolves();
      total += long(fl.loads.size());
    }
    benchmark::DoNotOptimize(matched);
  }
  state.counters["loads"] = double(total);
  state.counters["matched"] = double(matched);
  state.counters["direct_solves"] = double(direct);
}
BENCHMARK(BM_JudgeAllBandsT)->Unit(benchmark::kMillisecond);

// One table: the ten band centres through 20 m of window line, solved
// directly with their settings, voltages and currents.
template <TNetworkKind Kind>
void BM_DirectSolveTenRows(benchmark::State& state) {
  const TTransmissionLine line = LinePresets[0].line;
  std::vector<std::pair<double, Z>> rows;
  for (int b = 0; b < 10; ++b) {
    const double f = 0.5 * (kBands[b][0] + kBands[b][1]);
    rows.push_back({f, ThroughTheLine(line, kCentres[b], f, 20, 100).tunerImpedance});
  }
  const TTunerNetwork network = DefaultNetwork(Kind);
  for (auto _ : state) {
    for (const auto& [f, z] : rows) {
      const TNetworkMatch m = MatchNetwork(network, z, f, 100);
      benchmark::DoNotOptimize(m.lossDb);
    }
  }
}
BENCHMARK(BM_DirectSolveTenRows<TNetworkKind::HighPassT>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DirectSolveTenRows<TNetworkKind::LowPassPi>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DirectSolveTenRows<TNetworkKind::LNetwork>)->Unit(benchmark::kMillisecond);

}  // namespace
