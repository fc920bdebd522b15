// The program without its window: the feeder lengths for the values given on
// the command line, printed to standard output, for scripts and machines
// without a display.
#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct TCommandLine {
  bool help = false;
  double frequencyMHz = 7.1;  // the window's defaults
  double dipoleFeet = 85.30;
  double feederConstant = 886.0;
  std::string impedance = "450";  // the ohms chosen; empty for --vf
  std::vector<int> bands;         // indices into BandPresets, ascending; empty: one frequency
  bool csv = false;
};

struct TCommandLineParse {
  std::optional<TCommandLine> options;
  std::string error;  // one line, when options is empty
};

extern const char* const CommandLineUsage;

// A bad argument, told in one line.
struct EBadArgument : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The options a caller knows, each at most once, with their values ("--name
// value" or "--name=value"; a flag's value is empty); every other argument
// goes to rest, in its order. Raises EBadArgument for a value missing, a
// value given to a flag, or an option given twice.
using TOptionTest = std::function<bool(const std::string& option)>;
std::map<std::string, std::string> TakeOptions(const std::vector<std::string>& args,
                                               const TOptionTest& isFlag,
                                               const TOptionTest& takesValue,
                                               std::vector<std::string>& rest);

// Whether the arguments (without the program name) ask for the command-line
// mode: they begin with an option of ours ("--..."). Anything else, no
// arguments in particular, starts the window.
bool IsCommandLineMode(const std::vector<std::string>& args);

TCommandLineParse ParseCommandLine(const std::vector<std::string>& args);

// Parses and runs; returns the exit code: 0 done, 2 a bad argument (its
// error line and the usage on err), 1 a calculation that failed or output
// that could not be written (one line with the reason on err); --tuner and
// --find-feeder as RunTunerCommandLine says.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Writes the whole output at once and returns the exit code: 0, or 1 with one
// line on err giving the reason when the output cannot be written.
int DeliverOutput(const std::string& text, std::ostream& out, std::ostream& err);
