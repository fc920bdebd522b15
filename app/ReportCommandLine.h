// The report on the command line: --report FILE.pdf with the calculator's
// options, the feeder check's feeder and, with --tuner or --find-feeder, the
// tuner view's results, written without a window and without a display.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "app/Report.h"

// Whether the arguments ask for --report.
bool IsReportCommandLine(const std::vector<std::string>& args);

// The report's input for the arguments, and the file to write it to; the
// tuner view's computations are run here. Raises EBadArgument (CommandLine.h)
// for a bad argument, and what the antenna model raises.
TReportInput ReportInputOfArguments(const std::vector<std::string>& args, std::u16string& fileName);

// Parses, computes and writes the file; returns the exit code: 0 written,
// 2 a bad argument (its error line and the usage on err), 3 nec2c missing,
// 1 a file that cannot be written or a computation that failed (one line
// with the reason on err). Prints nothing on out but --help's usage.
int RunReportCommandLine(const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err);
