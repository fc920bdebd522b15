// Range changes on the program's first chart as a mouse-wheel zoom would make
// them: SetRange on layer 1, and ZoomBack / ZoomForward through the history.
// The chart's window does not exist, so painting stays suppressed and the
// figures are the range application alone (write, helpers, mapping, history).
#include <benchmark/benchmark.h>

#include "controls/chart/PLX_rchart.h"

namespace {

void makeFirstChart(TRChart& chart) {
  chart.BeginLoading();
  chart.SetBounds(0, 0, 660, 395);
  chart.Scale1X().SetRangeHigh(40);
  chart.Scale1Y().SetRangeHigh(30);
  chart.Scale1Y().SetRangeLow(1.5);
  chart.Loaded();
  chart.ClearZoomHistory();
}

void BM_SetRangeLayer1(benchmark::State& state) {
  TRChart chart;
  makeFirstChart(chart);
  double zoom = 1;
  for (auto _ : state) {
    zoom = zoom > 4 ? 1 : zoom * 1.1;
    chart.SetRange(1, 20 - 20 / zoom, 15.75 - 14.25 / zoom, 20 + 20 / zoom, 15.75 + 14.25 / zoom);
  }
  benchmark::DoNotOptimize(chart.Scale1X().RangeLow());
}
BENCHMARK(BM_SetRangeLayer1)->Unit(benchmark::kMicrosecond);

void BM_ZoomBackAndForward(benchmark::State& state) {
  TRChart chart;
  makeFirstChart(chart);
  for (int i = 1; i <= 8; ++i) chart.SetRange(1, i, 1.5, 40 - i, 30);
  for (auto _ : state) {
    while (chart.ZoomBack()) {
    }
    while (chart.ZoomForward()) {
    }
  }
  state.SetItemsProcessed(state.iterations() * 16);
  benchmark::DoNotOptimize(chart.Scale1X().RangeLow());
}
BENCHMARK(BM_ZoomBackAndForward)->Unit(benchmark::kMicrosecond);

}  // namespace
