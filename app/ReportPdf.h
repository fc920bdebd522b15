// The report as a PDF document, written with the toolkit's own PDF writer:
// portrait pages of the locale's paper, real text in a face made for print, the
// first chart drawn by the chart control at 300 dots per inch of paper or
// more, and every page's footer with its number.
#pragma once

#include <string>

#include "app/Report.h"

enum class TPaper { A4, Letter };

// The paper of the locale's LC_PAPER category (LC_ALL, LC_PAPER, LANG): Letter
// where its locale data say 216 x 279 mm, A4 otherwise. Where the locale is
// not installed, its name's territory decides: Letter in the territories that
// use it.
TPaper LocalePaper();

// The document's bytes. Throws EFileError when the document cannot be made.
std::string ReportPdf(const TReportInput& input, TPaper paper);

// The document written through WriteWholeFile (platform/WholeFile.h): a
// failure names the file and the reason and leaves an existing file as it was.
void SaveReportPdf(const std::u16string& fileName, const TReportInput& input);

// The chart's width on the paper, in millimetres, and its resolution there.
double ReportChartWidthMm(TPaper paper);
constexpr double ReportChartDpi = 300;
