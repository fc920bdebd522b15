// A chart for pixel tests: no margins, 80 x 20, ranges 0..80 x 0..20, so its
// data area maps one real unit to one pixel, (x, y) -> column x, row 20 - y;
// items drawn in red.
#pragma once

#include "controls/chart/PLX_rchart.h"

inline void MakePixelChart(TCustomRChart& chart) {
  chart.SetMarginLeft(0);
  chart.SetMarginRight(0);
  chart.SetMarginTop(0);
  chart.SetMarginBottom(0);
  chart.SetBounds(0, 0, 80, 20);
  chart.Scale1X().SetRangeHigh(80);
  chart.Scale1Y().SetRangeHigh(20);
  chart.SetDataColor(clRed);
}
