// The Tuner page while it computes: all ten bands at their edges and centre
// (30 nec2c runs) from a cold cache, with a 1 ms timer on the window's
// thread recording the longest wait between two of its ticks (no frame may
// wait longer than 50 ms); and one crosshair drag step with ten curves shown.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <array>

#include "app/TunerChart.h"
#include "app/TunerPage.h"

namespace {

std::array<bool, 10> allBands() {
  std::array<bool, 10> all;
  all.fill(true);
  return all;
}

void BM_TunerPageColdSweep(benchmark::State& state) {
  double longestStall = 0;
  double sweep = 0;
  for (auto _ : state) {
    TTunerPage page;  // a page of its own: a cold cache
    page.resize(668, 437);
    page.SetCalculatorInputs(85.30, 7.1, allBands());
    QElapsedTimer clock;
    QElapsedTimer sinceTick;
    double stall = 0;
    QTimer ticks;
    ticks.setInterval(1);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
      stall = std::max(stall, double(sinceTick.nsecsElapsed()) / 1e6);
      sinceTick.restart();
    });
    ticks.start();
    clock.start();
    sinceTick.start();
    page.show();  // starts the run; its end (rows, finder, chart) comes on this thread too
    while (page.Compute().State() == TTunerState::Running) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    QApplication::processEvents();
    stall = std::max(stall, double(sinceTick.nsecsElapsed()) / 1e6);
    sweep = double(clock.nsecsElapsed()) / 1e6;
    longestStall = std::max(longestStall, stall);
    if (!page.Result()) state.SkipWithError("the sweep did not finish (is nec2c installed?)");
  }
  state.counters["longest_stall_ms"] = longestStall;
  state.counters["sweep_ms"] = sweep;
}
BENCHMARK(BM_TunerPageColdSweep)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TunerPageDragStep(benchmark::State& state) {
  TTunerPage page;
  page.resize(668, 437);
  page.SetCalculatorInputs(85.30, 7.1, allBands());
  page.show();
  while (page.Compute().State() == TTunerState::Running) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  TRChart& chart = page.chart->Chart();
  int x = 0, y = 0;
  chart.R2M(1, 20, 100, x, y);
  chart.MouseMove(ssLeft, x, y);
  int step = 0;
  for (auto _ : state) {
    chart.MouseMove(ssLeft, x + (step++ % 200), y);
  }
  chart.MouseMove(0, x, y);
}
BENCHMARK(BM_TunerPageDragStep)->Unit(benchmark::kMillisecond);

}  // namespace
