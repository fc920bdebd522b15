// A crosshair drag step (the kept bitmaps composed again, the crosshairs
// drawn, the picture presented) against a ShowGraf fast path (the data area
// rendered from the item store) of the same chart: the program's first chart
// with its eight marks, and a 1920 x 1080 chart holding 1e5 DrawTo items.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "controls/chart/PLX_rchart.h"

namespace {

std::unique_ptr<TRChart> firstChart() {
  auto chart = std::make_unique<TRChart>();
  chart->BeginLoading();
  chart->SetBounds(0, 0, 660, 395);
  chart->Scale1X().SetRangeHigh(40);
  chart->Scale1Y().SetRangeLow(1.5);
  chart->Scale1Y().SetRangeHigh(30);
  chart->SetChartColor(clBackground);
  chart->SetGridStyle(gsLines);
  chart->SetGridColor(clSilver);
  chart->SetGridDx(2);
  chart->SetGridDy(2.5);
  chart->SetMouseAction(maDragCrossH);
  chart->CrossHairSetup(1, clWhite, chBoth, psSolid, 1);
  chart->CrossHairSetup(2, clBlack, chVert, psSolid, 3);
  chart->CrossHair2().SetLayer(1);
  chart->Loaded();
  chart->SetSuppressPaint(false);
  chart->SetDataColor(clYellow);
  const double lengths[8] = {3.1, 7.9, 12.6, 17.4, 22.1, 26.9, 31.6, 36.4};
  for (double x : lengths) chart->MarkAt(x, 7.1, 24);
  chart->ShowGraf();
  return chart;
}

std::unique_ptr<TRChart> largeChart() {
  auto chart = std::make_unique<TRChart>();
  chart->BeginLoading();
  chart->SetBounds(0, 0, 1920, 1080);
  chart->Scale1X().SetRangeHigh(1e5);
  chart->Scale1Y().SetRangeLow(-1);
  chart->Scale1Y().SetRangeHigh(1);
  chart->SetGridStyle(gsLines);
  chart->SetMouseAction(maDragCrossH);
  chart->CrossHairSetup(1, clRed, chBoth, psSolid, 1);
  chart->CrossHairSetup(2, clBlack, chVert, psSolid, 3);
  chart->CrossHair2().SetLayer(1);
  chart->Loaded();
  chart->SetSuppressPaint(false);
  chart->MoveTo(0, 0);
  for (int i = 1; i < 100000; ++i) chart->DrawTo(i, std::sin(i * 0.01));
  chart->ShowGraf();
  return chart;
}

std::unique_ptr<TRChart> chartFor(const benchmark::State& state) {
  return state.range(0) == 0 ? firstChart() : largeChart();
}

void dragStep(benchmark::State& state) {
  const auto chart = chartFor(state);
  const int y = chart->Height() / 2;
  int x = chart->MarginLeft() + 40;
  chart->MouseMove(ssLeft, x, y);  // picks the crosshair
  for (auto _ : state) {
    x = x == chart->MarginLeft() + 40 ? x + 200 : chart->MarginLeft() + 40;
    chart->MouseMove(ssLeft, x, y);
  }
  state.SetLabel(state.range(0) == 0 ? "660x395, 8 marks" : "1920x1080, 1e5 DrawTo");
}

void showGrafFastPath(benchmark::State& state) {
  const auto chart = chartFor(state);
  for (auto _ : state) chart->ShowGraf();
  state.SetLabel(state.range(0) == 0 ? "660x395, 8 marks" : "1920x1080, 1e5 DrawTo");
}

void fullPaint(benchmark::State& state) {
  const auto chart = chartFor(state);
  for (auto _ : state) chart->Paint();
  state.SetLabel(state.range(0) == 0 ? "660x395, 8 marks" : "1920x1080, 1e5 DrawTo");
}

}  // namespace

BENCHMARK(dragStep)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(showGrafFastPath)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(fullPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
