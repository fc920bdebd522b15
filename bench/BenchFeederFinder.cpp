// The all-band feeder finder over 0.5..60 m at 1 cm for all ten bands, each
// judged across its width (258 frequency points in Region 1). The feed points
// are fixed values of the order nec2c gives for the default dipole, so no
// child process runs here.
#include <benchmark/benchmark.h>

#include "app/tuner/BandPlan.h"
#include "app/tuner/FeederFinder.h"

namespace {

using Z = std::complex<double>;

std::vector<TFinderFrequency> tenBands() {
  // Band centres as the default dipole has them over average ground; the
  // edges a little off either way.
  const Z centres[10] = {{4.5, -1806},
                         {18.7, -640},
                         {62, -53},
                         {194, 501},
                         {2299, 1898},
                         {193, -944},
                         {160, 268},
                         {1573, 1647},
                         {383, -1098},
                         {133, 58}};
  std::vector<TFinderFrequency> result;
  for (int b = 0; b < 10; ++b) {
    const std::vector<double> points = BandSweepPoints(BandPlan(TRegion::Region1)[size_t(b)]);
    for (size_t k = 0; k < points.size(); ++k) {
      const double shift = 0.9 + 0.2 * double(k) / double(points.size() - 1);
      result.push_back({points[k], Z(centres[b].real() * shift, centres[b].imag() * shift), b});
    }
  }
  return result;
}

// Spans found: the external tuner takes 10 to 5000 Ω, the nine bands from 3.5 MHz up
// (237 points).
void BM_FindFeederSpans(benchmark::State& state) {
  std::vector<TFinderFrequency> fs = tenBands();
  std::erase_if(fs, [](const TFinderFrequency& f) { return f.group == 0; });
  const TTuner tuner{TTuner::External, 3, 10, 5000};
  for (auto _ : state) {
    const TFinderResult result = FindFeederSpans(LinePresets[0].line, tuner, fs, 100);
    benchmark::DoNotOptimize(result.spans.data());
  }
}
BENCHMARK(BM_FindFeederSpans)->Unit(benchmark::kMillisecond);

// No span (160 m defeats an internal tuner), all 258 points: the finder lists
// the lengths that suit the most bands and looks for the band that stops it.
void BM_FindFeederSpansNoneFound(benchmark::State& state) {
  const std::vector<TFinderFrequency> fs = tenBands();
  const TTuner tuner;
  for (auto _ : state) {
    const TFinderResult result = FindFeederSpans(LinePresets[0].line, tuner, fs, 100);
    benchmark::DoNotOptimize(result.stoppingGroup);
  }
}
BENCHMARK(BM_FindFeederSpansNoneFound)->Unit(benchmark::kMillisecond);

}  // namespace
