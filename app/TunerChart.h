// The tuner view's chart: |Z| at the tuner against the feeder length, one
// curve per band in its own colour (thick where the tuner matches), the
// tuner's range as an area band, the feeder length as a crosshair the user
// drags, the lengths that suit every band along the bottom, and a legend.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "app/TunerTable.h"
#include "controls/chart/PLX_rchart.h"

// The chart's axes: feeder length 0 to 60 m, |Z| 1 Ω to 100 kΩ.
constexpr double TunerChartLongestM = 60;
constexpr double TunerChartLowestOhm = 1;
constexpr double TunerChartHighestOhm = 1e5;
// The curves' resolution along the feeder.
constexpr double TunerChartStepM = 0.05;

// The colour of a band's curve (a band of the plan, -1 for a lone frequency).
TColor TunerCurveColor(int band);

// The |Z| range in which the tuner's acceptable impedances lie: the external
// tuner's own; for the internal one 50/S to 50·S, which holds every impedance
// of SWR <= S on 50 Ω (not all in it are matched: the curves show which).
std::pair<double, double> TunerRangeOhm(const TTuner& tuner);

class TTunerChart {
 public:
  TTunerChart(QWidget* parent, int left, int top, int width, int height);
  // A chart without a window, for a picture of its own size: every pixel
  // measure (margins, texts, line widths, the legend) grown by scale.
  TTunerChart(int width, int height, double scale);
  ~TTunerChart();

  TRChart& Chart() { return *FChart; }
  // Draws result's curves, the tuner's range, the spans and the legend, with
  // the crosshair at its feeder length.
  void Show(const TTunerResult& result);
  // Nothing computed: axes and grid alone.
  void Clear();
  // The crosshair's feeder length, clamped into the chart.
  void SetFeeder(double metres);
  double Feeder() const;
  // The user dragged the crosshair to a feeder length (metres, to 1 cm).
  std::function<void(double)> OnFeederDragged;

 private:
  TTunerChart(QWidget* parent, int left, int top, int width, int height, double scale);
  int scaled(int pixels) const;
  void configure();
  void drawCurve(const TTunerResult& result, const TTunerRow& row, int band);
  void drawSpans(const TFinderResult& finder);
  void drawTunerRange(TCanvas& cv, int dx, int dy) const;
  void drawLegend(TCanvas& cv) const;
  void crossHairMoved();

  std::unique_ptr<TRChart> FChart;
  struct TLegendEntry {
    TColor color;
    std::u16string text;
  };
  std::vector<TLegendEntry> FLegend;
  std::pair<double, double> FRange{0, 0};  // the tuner's |Z| band; none when empty
  double FScale = 1;                       // of every pixel measure
};
