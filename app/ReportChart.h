// The first chart as the report prints it: a chart built by the window's
// first chart's layout, with the report's items, at a size of its own. Every
// pixel measure grows with the size (margins, fonts, line widths, the marks),
// so that the picture looks as the window's chart does, only finer.
#pragma once

#include "app/Report.h"
#include "platform/Bitmap.h"

// The chart's height for a width, in the window's chart's proportions.
int ReportChartHeight(int widthPixels);

// Makes picture the chart, widthPixels wide.
void RenderReportChart(const TReportChart& chart, int widthPixels, TBitmap& picture);
