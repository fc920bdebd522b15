// The all-band sweep of the antenna model from a cold cache, for the default
// dipole and a 41 m one: the nec2c runs alone (two at a time, round after
// round as the sweep asked for them), and the command line's whole tuner
// view (the sweep planned, run and interpolated, the rows and the finder).
// Against BM_TunerPageColdSweep of the same run, they show what the page
// adds to nec2c's own time.
#include <benchmark/benchmark.h>

#include "app/TunerCommandLine.h"
#include "app/tuner/FeedPointSweep.h"
#include "app/tuner/NecRunner.h"

namespace {

std::vector<int> allBands() {
  std::vector<int> bands;
  for (int b = 0; b < int(BandCount); ++b) bands.push_back(b);
  return bands;
}

TTunerSetup setupOf(double dipoleFeet) {
  TTunerSetup setup;
  setup.antenna.lengthM = dipoleFeet * 0.3048;
  return setup;
}

// The decks of each round, as the sweep asks for them.
std::vector<std::vector<std::string>> roundsOf(const TDipoleModel& antenna) {
  TFeedPointSweep sweep(antenna, TRegion::Region1, allBands(), 7.1);
  TNecCache cache;
  std::vector<std::vector<std::string>> rounds;
  while (!sweep.Complete()) {
    rounds.push_back(sweep.Pending());
    sweep.Take(ImpedancesOf(RunNec(sweep.Pending(), cache)));
  }
  return rounds;
}

// The dipole in hundredths of a foot, as BM_TunerPageColdSweep has it.
void BM_SweepNecAlone(benchmark::State& state) {
  const auto rounds = roundsOf(setupOf(double(state.range(0)) / 100).antenna);
  size_t decks = 0;
  for (const auto& round : rounds) decks += round.size();
  for (auto _ : state) {
    TNecCache cache;
    for (const auto& round : rounds) benchmark::DoNotOptimize(RunNec(round, cache).data());
  }
  state.counters["nec2c_runs"] = double(decks);
  state.counters["rounds"] = double(rounds.size());
}
BENCHMARK(BM_SweepNecAlone)->Unit(benchmark::kMillisecond)->Iterations(3)->Arg(8530)->Arg(13451);

void BM_SweepCommandLine(benchmark::State& state) {
  const TTunerSetup setup = setupOf(double(state.range(0)) / 100);
  for (auto _ : state) {
    const TTunerResult result = ComputeTunerResult(setup, allBands(), 7.1);  // a cache of its own
    benchmark::DoNotOptimize(result.rows.data());
  }
}
BENCHMARK(BM_SweepCommandLine)->Unit(benchmark::kMillisecond)->Iterations(3)->Arg(8530)->Arg(13451);

}  // namespace
