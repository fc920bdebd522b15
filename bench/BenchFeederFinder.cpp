// The all-band feeder finder over 0.5..60 m at 1 cm for all ten bands at their
// edges and centre (30 frequencies). The feed points are fixed values of the
// order nec2c gives for the default dipole, so no child process runs here.
#include <benchmark/benchmark.h>

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
  const double frequencies[10][3] = {{1.81, 1.905, 2.0},
                                     {3.5, 3.65, 3.8},
                                     {5.3515, 5.359, 5.3665},
                                     {7.0, 7.1, 7.2},
                                     {10.1, 10.125, 10.15},
                                     {14.0, 14.175, 14.35},
                                     {18.068, 18.118, 18.168},
                                     {21.0, 21.225, 21.45},
                                     {24.89, 24.94, 24.99},
                                     {28.0, 28.85, 29.7}};
  std::vector<TFinderFrequency> result;
  for (int b = 0; b < 10; ++b) {
    for (int k = 0; k < 3; ++k) {
      const double shift = 1 + 0.1 * (k - 1);
      result.push_back(
          {frequencies[b][k], Z(centres[b].real() * shift, centres[b].imag() * shift), b});
    }
  }
  return result;
}

// Spans found: the external tuner takes 10 to 5000 Ω, the nine bands from 3.5 MHz up.
void BM_FindFeederSpans(benchmark::State& state) {
  std::vector<TFinderFrequency> fs = tenBands();
  fs.erase(fs.begin(), fs.begin() + 3);
  fs.insert(fs.end(), fs.begin(), fs.begin() + 3);  // 30 frequencies again
  const TTuner tuner{TTuner::External, 3, 10, 5000};
  for (auto _ : state) {
    const TFinderResult result = FindFeederSpans(LinePresets[0].line, tuner, fs);
    benchmark::DoNotOptimize(result.spans.data());
  }
}
BENCHMARK(BM_FindFeederSpans)->Unit(benchmark::kMillisecond);

// No span (160 m defeats an internal tuner): the finder also looks for the
// band that stops it.
void BM_FindFeederSpansNoneFound(benchmark::State& state) {
  const std::vector<TFinderFrequency> fs = tenBands();
  const TTuner tuner;
  for (auto _ : state) {
    const TFinderResult result = FindFeederSpans(LinePresets[0].line, tuner, fs);
    benchmark::DoNotOptimize(result.stoppingGroup);
  }
}
BENCHMARK(BM_FindFeederSpansNoneFound)->Unit(benchmark::kMillisecond);

}  // namespace
