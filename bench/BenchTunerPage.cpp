// The Tuner page while it computes: all ten bands across their widths (their
// edges, quarter points and centres by nec2c, more where the sweep asks, and
// the uncertainty runs) from a cold cache, for the default dipole and a 41 m
// one, with a 1 ms timer on the window's
// thread recording the longest wait between two of its ticks (no frame may
// wait longer than 50 ms), and the longest the thread was busy with one batch
// of events (its own CPU time, which a loaded machine's waits for a core do
// not inflate); one crosshair drag step with ten curves shown; a new line
// with the feed points known (what the end of every run also does).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <array>
#include <ctime>

#include "app/TunerChart.h"
#include "app/TunerPage.h"

namespace {

double threadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

std::array<bool, 10> allBands() {
  std::array<bool, 10> all;
  all.fill(true);
  return all;
}

// A page shown with every band's feed points computed.
void computeAllBands(TTunerPage& page) {
  page.resize(668, 437);
  page.SetCalculatorInputs(85.30, 7.1, allBands());
  page.show();
  while (page.Compute().State() == TTunerState::Running)
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

// The page with its chart sub-page in front.
void showChart(TTunerPage& page) {
  page.tabs->setCurrentIndex(1);
  QApplication::processEvents();
}

// The dipole in hundredths of a foot: 85.30 ft, the default, and 41 m.
void BM_TunerPageColdSweep(benchmark::State& state) {
  double longestStall = 0;
  double longestBusy = 0;
  double sweep = 0;
  for (auto _ : state) {
    TTunerPage page;  // a page of its own: a cold cache
    page.resize(668, 437);
    page.SetCalculatorInputs(double(state.range(0)) / 100, 7.1, allBands());
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
    double busy = threadCpuMs();
    page.show();  // starts the run; its end (rows, finder, chart) comes on this thread too
    longestBusy = std::max(longestBusy, threadCpuMs() - busy);
    while (page.Compute().State() == TTunerState::Running) {
      busy = threadCpuMs();
      QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
      longestBusy = std::max(longestBusy, threadCpuMs() - busy);
    }
    QApplication::processEvents();
    stall = std::max(stall, double(sinceTick.nsecsElapsed()) / 1e6);
    sweep = double(clock.nsecsElapsed()) / 1e6;
    longestStall = std::max(longestStall, stall);
    if (!page.Result()) state.SkipWithError("the sweep did not finish (is nec2c installed?)");
  }
  state.counters["longest_stall_ms"] = longestStall;
  state.counters["longest_busy_ms"] = longestBusy;
  state.counters["sweep_ms"] = sweep;
}
BENCHMARK(BM_TunerPageColdSweep)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Arg(8530)
    ->Arg(13451);

void BM_TunerPageDragStep(benchmark::State& state) {
  TTunerPage page;
  computeAllBands(page);
  showChart(page);  // every step renders it
  TRChart& chart = page.chart->Chart();
  int x = 0, y = 0;
  chart.R2M(1, 20, 100, x, y);
  chart.MouseMove(ssLeft, x, y);
  int step = 0;
  for (auto _ : state) {
    chart.MouseMove(ssLeft, x + (step++ % 200), y);
  }
  chart.MouseMove(0, x, y);
  QElapsedTimer paint;
  paint.start();
  chart.Paint();
  state.counters["one_paint_ms"] = double(paint.nsecsElapsed()) / 1e6;
}
BENCHMARK(BM_TunerPageDragStep)->Unit(benchmark::kMillisecond);

}  // namespace

// What the window's thread does when the line changes with the feed points
// known, and at the end of every run: the rows, the finder over every band's
// points, ten curves drawn and the chart rendered.
void BM_TunerPageNewLine(benchmark::State& state) {
  TTunerPage page;
  computeAllBands(page);
  showChart(page);
  int line = 0;
  for (auto _ : state) {
    page.cbLine->setCurrentIndex(++line % 3);
  }
}
BENCHMARK(BM_TunerPageNewLine)->Unit(benchmark::kMillisecond);

// The parts of it: the chart's ten curves drawn and rendered.
void BM_TunerChartShow(benchmark::State& state) {
  TTunerPage page;
  computeAllBands(page);
  showChart(page);
  const TTunerResult result = *page.Result();
  for (auto _ : state) page.chart->Show(result);
}
BENCHMARK(BM_TunerChartShow)->Unit(benchmark::kMillisecond);
