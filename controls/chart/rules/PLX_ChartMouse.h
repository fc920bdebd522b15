// The rules of the chart's mouse handling that need no window: which
// crosshair a drag picks up, which cursor a mouse mode shows, and how far a
// pan moves an axis. Plain arithmetic, no drawing.
#pragma once

#include <array>

#include "controls/base/PLX_CrossHair.h"
#include "controls/chart/rules/PLX_ChartMap.h"
#include "controls/chart/rules/PLX_rchartTypes.h"
#include "platform/Screen.h"

// Cursor numbers of the chart's own cursors in the application's list.
constexpr TCursor crChartHand = 1;
constexpr TCursor crChartZoomWind = 2;
constexpr TCursor crChartZoomDrag = 3;
constexpr TCursor crChartZoomWindPos = 4;

// One crosshair as the drag sees it: its mode and its position in control
// pixels.
struct TCrossHairSpot {
  TCrossHMode Mode = chOff;
  int X = 0;
  int Y = 0;
};

// The number (1..4) of the crosshair whose line lies nearest to the pointer:
// vertical lines compete by their horizontal distance, horizontal lines by
// their vertical one. Lines only (chOff and chBox never win); ties go to the
// lower number; 1 when no crosshair has a line.
int NearestCrossHair(const std::array<TCrossHairSpot, 4>& spots, int X, int Y);

// The cursor a mouse move sets: the default outside the data area or when
// the cursor is fixed, otherwise the mode's own. Modes without a cursor of
// their own keep the current one.
TCursor CursorForMouse(TMouseActMode mode, bool inside, bool fixed, TCursor current);

// The range of an axis after the pointer travelled travel pixels in the
// direction of growing values along an axis of extent pixels: the values
// under the pointer follow it. Shifted on a linear axis, multiplied on a
// logarithmic one.
TAxisRange PannedRange(const TAxisRange& anchor, int travel, int extent);
