// The program's first chart, as the chart tests set it up.
#pragma once

#include "controls/chart/PLX_rchart.h"

// 660 x 395, default margins (data area columns 50..640, rows 20..355),
// ranges 0..40 x 1.5..30, loaded as from a layout.
inline void MakeFirstChart(TCustomRChart& chart) {
  chart.BeginLoading();
  chart.SetBounds(0, 0, 660, 395);
  chart.Scale1X().SetRangeHigh(40);
  chart.Scale1Y().SetRangeHigh(30);
  chart.Scale1Y().SetRangeLow(1.5);
  chart.Loaded();
}
