// The window's two charts as its layout gives them, and what a calculation
// draws on the first one. The settings take a scale: 1 on the screen, more
// for a picture printed at a higher resolution, where every pixel measure
// (margins, caption positions, fonts, crosshair widths) grows with it.
#pragma once

#include <cstdint>

#include "controls/chart/PLX_rchart.h"

struct TFeederState;

// The first chart's size on the screen.
constexpr int FirstChartWidth = 660;
constexpr int FirstChartHeight = 395;

// The first chart's lengths to avoid: red bars this many pixels thick on a
// layer of their own, whose axes follow layer 1's.
constexpr int AvoidLayer = 5;
constexpr uint8_t AvoidBarWidth = 5;

// The first chart, "Current maxima", while it loads: the settings both
// charts share and its own. The caller wraps it in BeginLoading / Loaded
// and then calls FinishFirstChart.
void ApplyFirstChartLayout(TCustomRChart& chart, double scale = 1);
// After Loaded: the lengths to avoid follow layer 1.
void FinishFirstChart(TCustomRChart& chart);
// A chart without a window loaded as the first chart, of the size given
// (the window's by default) at a scale.
void LoadFirstChart(TCustomRChart& chart, int width = FirstChartWidth,
                    int height = FirstChartHeight, double scale = 1);

// The second chart, "Optimum length", while it loads.
void ApplyOptimumChartLayout(TCustomRChart& chart);

// One calculation's marks at its frequency and, when asked for, its lengths
// to avoid. The chart's layer, colour, width and AutoRedraw come back as
// they were, also when it fails; the caller shows the items.
void PlotCalculation(TCustomRChart& chart, const TFeederState& state, double frequencyMHz,
                     bool lengthsToAvoid);
