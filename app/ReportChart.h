// The report's charts: the first chart built by the window's first chart's
// layout, with the report's items, and the Tuner chart, each at a size of its
// own. Every pixel measure grows with the size (margins, fonts, line widths,
// the marks), so that the picture looks as the window's chart does, only
// finer.
#pragma once

#include "app/Report.h"
#include "platform/Bitmap.h"

// The chart's height for a width, in the window's chart's proportions.
int ReportChartHeight(int widthPixels);

// Makes picture the chart, widthPixels wide.
void RenderReportChart(const TReportChart& chart, int widthPixels, TBitmap& picture);

// The Tuner chart as the report prints it: the Tuner page's chart of the
// result drawn afresh, widthPixels wide in the page's proportions, every
// pixel measure grown alike, with the feeder length as a black line (the
// page's crosshair, which a picture leaves out).
int ReportTunerChartHeight(int widthPixels);
void RenderReportTunerChart(const TTunerResult& result, int widthPixels, TBitmap& picture);
