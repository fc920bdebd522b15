// The tuner view on the command line: --tuner prints the table, --find-feeder
// the feeder lengths that suit every band, with the antenna model by nec2c.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

extern const char* const TunerCommandLineUsage;

// Whether the arguments ask for --tuner or --find-feeder.
bool IsTunerCommandLine(const std::vector<std::string>& args);

// Parses and runs; returns the exit code: 0 done, 2 a bad argument or geometry
// the antenna model cannot take (the error line and the usage on err), 3 nec2c
// missing, 1 nec2c failing or the output failing.
int RunTunerCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
