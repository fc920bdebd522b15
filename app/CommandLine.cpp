#include "app/CommandLine.h"

#include <cassert>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <map>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "app/FeederCheck.h"
#include "app/FeederCsv.h"
#include "app/FeederEngine.h"
#include "app/ReportCommandLine.h"
#include "app/TunerCommandLine.h"

const char* const CommandLineUsage =
    "Usage: OrvakSE [options]\n"
    "Without options the program opens its window. With options it prints the\n"
    "feeder lengths at the current maxima, in metres, and exits.\n"
    "  --frequency MHz     operating frequency, 0.001 up to 1000 (default 7.1)\n"
    "  --dipole-ft FEET    dipole length in feet, above 0 up to 1000 (default 85.3)\n"
    "  --dipole-m METRES   dipole length in metres, above 0 up to 1000\n"
    "  --impedance OHM     feeder of 300, 450 or 600 ohm (default 450)\n"
    "  --vf FACTOR         measured feeder: velocity factor 0.50 to 1.00\n"
    "  --bands all|LIST    the bands 1.8,3.7,5.35,7.1,10.13,14.2,18.13,21.25,24.45,28.5\n"
    "                      (all, or some of them separated by commas) instead of\n"
    "                      one frequency\n"
    "  --csv               comma-separated values with a header row\n"
    "  --report FILE.pdf   a report to print or keep, as a PDF file, instead: the\n"
    "                      inputs, the lengths, the chart and the feeder check of a\n"
    "                      feeder --feeder-m M or --feeder-ft FT long (default 20 m)\n"
    "                      of the tuner view's --line (default window450); with\n"
    "                      --tuner or --find-feeder (or both) their results too\n"
    "  --tuner, --find-feeder\n"
    "                      the tuner view and the feeder finder by the antenna\n"
    "                      model; --tuner --help tells their options\n"
    "  --help              this text\n"
    "Numbers take \".\" as the decimal separator, in the output too; the report\n"
    "writes them with the locale's, as the window does.\n";

namespace {

constexpr const char* kValueOptions[] = {
    "--frequency", "--dipole-ft", "--dipole-m", "--impedance", "--vf", "--bands"};

bool takesValue(const std::string& option) {
  for (const char* o : kValueOptions) {
    if (option == o) return true;
  }
  return false;
}

// The lowest frequency the window's field holds, with its three decimals;
// below it the lengths grow beyond any sensible number.
constexpr double MinFrequencyMHz = 0.001;

// A plain decimal number: "." as separator, nothing before or after it.
double number(const std::string& option, const std::string& text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || !std::isfinite(value)) {
    throw EBadArgument(option + ": \"" + text + "\" is not a number");
  }
  return value;
}

double inRange(const std::string& option, const std::string& text, double low, double high,
               bool lowIncluded, const char* range) {
  const double value = number(option, text);
  if (value < low || (!lowIncluded && value == low) || value > high) {
    throw EBadArgument(option + ": " + text + " is out of range (" + range + ")");
  }
  return value;
}

// The feet field's value after the metres field mirrored into it: rounded to
// its two decimals, as the window reads it back.
double feetOfMetres(const std::string& given, double metres) {
  const std::u16string text = FormatFixed(metres / MetresPerFoot, 2, u'.');
  const double feet = number("--dipole-m", std::string(text.begin(), text.end()));
  if (feet == 0) throw EBadArgument("--dipole-m: " + given + " rounds to a dipole of 0.00 ft");
  return feet;
}

// The feeder of --impedance: its ohms, as the window's choice names them, and
// their constant.
void chooseImpedance(TCommandLine& options, const std::string& text) {
  const double ohm = number("--impedance", text);
  if (ohm != 300 && ohm != 450 && ohm != 600) {
    throw EBadArgument("--impedance: " + text + " is not one of 300, 450, 600");
  }
  options.impedance = std::to_string(int(ohm));
  options.feederConstant = ohm == 300 ? FeederConstant300 : FeederConstant450;
}

std::vector<int> bandList(const std::string& text) {
  std::vector<bool> chosen(BandPresets.size(), text == "all");
  for (size_t start = 0; text != "all" && start <= text.size();) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    const std::string item = text.substr(start, comma - start);
    const double f = number("--bands", item);
    bool found = false;
    for (size_t i = 0; i < BandPresets.size(); ++i) {
      if (BandPresets[i].frequency == f) chosen[i] = found = true;
    }
    if (!found) throw EBadArgument("--bands: " + item + " is not one of the bands (see --help)");
    start = comma + 1;
  }
  std::vector<int> bands;
  for (size_t i = 0; i < chosen.size(); ++i) {
    if (chosen[i]) bands.push_back(int(i));
  }
  return bands;
}

// Option -> value, each option once; "--name value" or "--name=value".
std::map<std::string, std::string> splitOptions(const std::vector<std::string>& args) {
  std::map<std::string, std::string> given;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string option = args[i];
    std::string value;
    const size_t equals = option.find('=');
    const bool inlineValue = option.rfind("--", 0) == 0 && equals != std::string::npos;
    if (inlineValue) {
      value = option.substr(equals + 1);
      option.resize(equals);
    }
    if (!takesValue(option) && option != "--csv") throw EBadArgument("unknown option " + option);
    if (takesValue(option) && !inlineValue) {
      if (i + 1 >= args.size()) throw EBadArgument(option + " needs a value");
      value = args[++i];
    }
    if (option == "--csv" && inlineValue) throw EBadArgument("--csv takes no value");
    if (given.count(option)) throw EBadArgument(option + " is given twice");
    given[option] = value;
  }
  return given;
}

void rejectPair(const std::map<std::string, std::string>& given, const char* a, const char* b,
                const char* why) {
  if (given.count(a) && given.count(b))
    throw EBadArgument(std::string(a) + " and " + b + " " + why);
}

TCommandLine parse(const std::vector<std::string>& args) {
  TCommandLine options;
  for (const std::string& a : args) {
    if (a == "--help") options.help = true;
  }
  if (options.help) return options;
  const auto given = splitOptions(args);
  rejectPair(given, "--dipole-ft", "--dipole-m", "both give the dipole length; give one of them");
  rejectPair(given, "--impedance", "--vf", "both choose the feeder; give one of them");
  rejectPair(given, "--frequency", "--bands", "exclude each other; give one of them");
  for (const auto& [option, value] : given) {
    if (option == "--frequency") {
      options.frequencyMHz =
          inRange(option, value, MinFrequencyMHz, 1000, true, "0.001 up to 1000");
    }
    if (option == "--dipole-ft")
      options.dipoleFeet = inRange(option, value, 0, 1000, false, "above 0 up to 1000");
    if (option == "--dipole-m")
      options.dipoleFeet =
          feetOfMetres(value, inRange(option, value, 0, 1000, false, "above 0 up to 1000"));
    if (option == "--impedance") chooseImpedance(options, value);
    if (option == "--vf") {
      options.feederConstant =
          FreeSpaceConstant *
          inRange(option, value, MinVelocityFactor, MaxVelocityFactor, true, "0.50 to 1.00");
      options.impedance.clear();
    }
    if (option == "--bands") options.bands = bandList(value);
    if (option == "--csv") options.csv = true;
  }
  return options;
}

// Our texts are plain ASCII.
std::string ascii(const std::u16string& text) {
  std::string s;
  for (char16_t c : text) {
    assert(c < 0x80);
    s += char(c);
  }
  return s;
}

// One frequency as the window calculates it: its lines, or the too-short
// message (on err when the output is a table).
void calculate(const TCommandLine& o, TFeederState& state, double frequency,
               std::vector<TCalculatedMaxima>& table, std::ostream& out, std::ostream& err) {
  const TCalcResult result = CalcSingle(state, frequency, o.dipoleFeet);
  if (!result.done) {
    (o.csv ? err : out) << ascii(TooShortMessage(state.length, u'.')) << '\n';
  } else if (o.csv) {
    table.push_back(CalculatedMaxima(state, o.dipoleFeet));
  } else {
    for (double m : state.fedlinm) out << ascii(FormatFixed(m, 2, u'.')) << '\n';
  }
}

// The lines or the table into out; the too-short messages of a table to err.
void run(const TCommandLine& o, std::ostream& out, std::ostream& err) {
  TFeederState state;
  InitFeederState(state, o.frequencyMHz);
  state.LLWL = o.feederConstant;
  std::vector<TCalculatedMaxima> table;
  if (o.bands.empty()) calculate(o, state, o.frequencyMHz, table, out, err);
  for (int band : o.bands) {
    if (!o.csv) out << ascii(BandPresets[size_t(band)].header) << '\n';
    calculate(o, state, BandPresets[size_t(band)].frequency, table, out, err);
  }
  if (o.csv) out << FeederCsv(table);
}

}  // namespace

bool IsCommandLineMode(const std::vector<std::string>& args) {
  return !args.empty() && args[0].rfind("--", 0) == 0;
}

TCommandLineParse ParseCommandLine(const std::vector<std::string>& args) {
  try {
    return {parse(args), {}};
  } catch (const EBadArgument& error) {
    return {std::nullopt, error.what()};
  }
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (IsReportCommandLine(args)) return RunReportCommandLine(args, out, err);
  if (IsTunerCommandLine(args)) return RunTunerCommandLine(args, out, err);
  const TCommandLineParse parsed = ParseCommandLine(args);
  if (!parsed.options) {
    err << "OrvakSE: " << parsed.error << '\n' << CommandLineUsage;
    return 2;
  }
  if (parsed.options->help) return DeliverOutput(CommandLineUsage, out, err);
  std::ostringstream text;
  try {
    run(*parsed.options, text, err);
  } catch (const std::exception& error) {
    err << "OrvakSE: " << error.what() << '\n';
    return 1;
  }
  return DeliverOutput(text.str(), out, err);
}

// Writes the whole output at once; a write that fails (a full disk, a closed
// standard output) is told in one line with the system's reason, taken
// right after the failing call.
int DeliverOutput(const std::string& text, std::ostream& out, std::ostream& err) {
  errno = 0;
  out.write(text.data(), std::streamsize(text.size()));
  out.flush();
  if (out) return 0;
  const int reason = errno;
  err << "OrvakSE: cannot write the output: "
      << (reason != 0 ? std::generic_category().message(reason) : std::string("the stream failed"))
      << '\n';
  return 1;
}

std::map<std::string, std::string> TakeOptions(const std::vector<std::string>& args,
                                               const TOptionTest& isFlag,
                                               const TOptionTest& takesValue,
                                               std::vector<std::string>& rest) {
  std::map<std::string, std::string> given;
  for (size_t i = 0; i < args.size(); ++i) {
    const size_t equals = args[i].find('=');
    const std::string option = args[i].substr(0, equals);
    const bool inlineValue = equals != std::string::npos;
    if (!isFlag(option) && !takesValue(option)) {
      rest.push_back(args[i]);
      continue;
    }
    if (isFlag(option) && inlineValue) throw EBadArgument(option + " takes no value");
    std::string value = inlineValue ? args[i].substr(equals + 1) : "";
    if (takesValue(option) && !inlineValue) {
      if (i + 1 >= args.size()) throw EBadArgument(option + " needs a value");
      value = args[++i];
    }
    if (given.count(option)) throw EBadArgument(option + " is given twice");
    given[option] = value;
  }
  return given;
}
