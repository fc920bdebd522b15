// The report of what the window shows: the first page's inputs, the list's
// calculations, the first chart, the Feeder check page and, when the window
// has them, the tuner view's results.
#pragma once

#include "app/Report.h"

class TfrmMain;

TReportInput ReportInputOfWindow(TfrmMain& window);
