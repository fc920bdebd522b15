// The tuner view on the command line: --tuner prints the table, --find-feeder
// the feeder lengths that suit every band, with the antenna model by nec2c.
#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "app/TunerTable.h"
#include "app/tuner/FeederFinder.h"

extern const char* const TunerCommandLineUsage;

// Whether the arguments ask for --tuner or --find-feeder.
bool IsTunerCommandLine(const std::vector<std::string>& args);

// Parses and runs; returns the exit code: 0 done, 2 a bad argument or geometry
// the antenna model cannot take (the error line and the usage on err), 3 nec2c
// missing, 1 nec2c failing or the output failing.
int RunTunerCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The tuner view's options that take a value (--height ... --region).
bool IsTunerValueOption(const std::string& option);
// The setup of those options (others are ignored), for the first page's
// dipole. Raises EBadArgument (CommandLine.h) for a bad value or two options
// that exclude each other.
TTunerSetup TunerSetupOf(const std::map<std::string, std::string>& options, double dipoleFeet);

// The tuner view at the frequency or for the bands given (indices into the
// band plan): the band sweep by nec2c, the rows at the band centres and the
// feeder finder's spans. Raises what the model and nec2c raise
// (EAntennaGeometry, ENecMissing, ENoFeedPoint, ...).
TTunerResult ComputeTunerResult(const TTunerSetup& setup, const std::vector<int>& bands,
                                double frequencyMHz);

// Runs work (parsing, then computing with the antenna model) and returns the
// exit code of what it raised: 0 nothing, 2 a bad argument (the error line
// and the usage on err) or geometry the model cannot take (its line), 3
// nec2c missing, 1 any other failure (its line on err).
int RunWithTheAntennaModel(const std::function<void()>& work, std::ostream& err);
